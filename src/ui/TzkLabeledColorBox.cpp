#include "TzkLabeledColorBox.h"

#include "TzkBtnEdit.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>
#include <iterator>

namespace reelkeep {
namespace {

struct NamedColour {
    const char* key;
    QRgb rgb;
};

// Opaque colours only: a row takes the colour whole, and its text is drawn to contrast with it.
constexpr NamedColour kColours[] = {
    {"Black", 0x000000},  {"Maroon", 0x800000}, {"Green", 0x008000},      {"Olive", 0x808000},   {"Navy", 0x000080},
    {"Purple", 0x800080}, {"Teal", 0x008080},   {"Gray", 0x808080},       {"Silver", 0xC0C0C0},  {"Red", 0xFF0000},
    {"Lime", 0x00FF00},   {"Yellow", 0xFFFF00}, {"Blue", 0x0000FF},       {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF},
    {"White", 0xFFFFFF},  {"MoneyGreen", 0xC0DCC0}, {"SkyBlue", 0xA6CAF0}, {"Cream", 0xFFFBF0}, {"MedGray", 0xA4A0A0},
};

} // namespace

TzkLabeledColorBox::TzkLabeledColorBox(QWidget* parent) : QWidget(parent), m_label(new QLabel), m_box(new QComboBox)
{
    setObjectName(QStringLiteral("cbColor"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_label);
    layout->addWidget(m_box);
    m_box->setMaxVisibleItems(16);
    for (const NamedColour& colour : kColours)
        addColour(QColor::fromRgb(colour.rgb), QString::fromLatin1(colour.key));
    m_label->setBuddy(m_box);
    m_label->installEventFilter(this);
    connect(m_box, &QComboBox::activated, this,
            [this](int index) { emit colourPicked(m_box->itemData(index).value<QColor>()); });
}

int TzkLabeledColorBox::addColour(const QColor& colour, const QString& name)
{
    QPixmap swatch(14, 14);
    swatch.fill(colour);
    m_box->addItem(QIcon(swatch), name, colour);
    return m_box->count() - 1;
}

void TzkLabeledColorBox::setCaption(const QString& text)
{
    m_label->setText(text);
    m_box->setAccessibleName(text);
}

void TzkLabeledColorBox::setColourNames(const std::function<QString(const char* section, const char* key)>& text)
{
    for (int i = 0; i < static_cast<int>(std::size(kColours)); ++i)
        m_box->setItemText(i, text("Colours", kColours[static_cast<size_t>(i)].key));
}

void TzkLabeledColorBox::setColour(const QColor& colour)
{
    int index = m_box->findData(colour);
    if (index < 0) {
        // One entry holds the colour without a name, so showing records never grows the list.
        if (m_unnamed < 0)
            m_unnamed = addColour(colour, QString());
        QPixmap swatch(14, 14);
        swatch.fill(colour);
        m_box->setItemIcon(m_unnamed, QIcon(swatch));
        m_box->setItemText(m_unnamed, colour.name().toUpper());
        m_box->setItemData(m_unnamed, colour);
        index = m_unnamed;
    }
    m_box->setCurrentIndex(index);
}

QColor TzkLabeledColorBox::colour() const
{
    return m_box->currentData().value<QColor>();
}

bool TzkLabeledColorBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label && MoveByShiftDrag(this, event, m_dragOffset, m_dragging)) {
        if (event->type() == QEvent::MouseButtonRelease)
            emit moved(pos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace reelkeep
