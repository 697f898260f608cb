#include "TfmAbout.h"

#include "ProgramIdentity.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace reelkeep {
namespace {

const QString kAboutSection = QStringLiteral("About");
constexpr int kAboutIconSize = 64;
constexpr int kTextWidth = 360;

} // namespace

TfmAbout::TfmAbout(TextLookup lookup, QWidget* parent)
    : QDialog(parent)
    , Lookup(std::move(lookup))
{
    setModal(true);
    auto* icon = new QLabel;
    // The shipped icon needs Qt's SVG plug-in; without it the window's own icon stands in.
    QPixmap picture = QIcon(QStringLiteral(":/desktop/reelkeep.svg")).pixmap(kAboutIconSize, kAboutIconSize);
    if (picture.isNull())
        picture = windowIcon().pixmap(kAboutIconSize, kAboutIconSize);
    icon->setPixmap(picture);
    icon->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(ProgramName());
    name->setObjectName(QStringLiteral("Name"));
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.5);
    name->setFont(nameFont);
    auto* version = new QLabel(ProgramVersion());
    version->setObjectName(QStringLiteral("Version"));
    Description = new QLabel;
    Description->setObjectName(QStringLiteral("Description"));
    Warranty = new QLabel;
    Warranty->setObjectName(QStringLiteral("Warranty"));
    for (QLabel* label : {name, version, Description, Warranty})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (QLabel* label : {Description, Warranty}) {
        label->setWordWrap(true);
        label->setFixedWidth(kTextWidth);
    }

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addSpacing(8);
    texts->addWidget(Description);
    texts->addWidget(Warranty);
    auto* body = new QHBoxLayout;
    body->addWidget(icon);
    body->addSpacing(12);
    body->addLayout(texts);

    auto* buttons = new QDialogButtonBox;
    CloseButton = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    CloseButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    TranslateControls();
}

void TfmAbout::TranslateControls()
{
    setWindowTitle(Lookup(kAboutSection, QStringLiteral("Caption")));
    Description->setText(Lookup(kAboutSection, QStringLiteral("Description")));
    Warranty->setText(Lookup(kAboutSection, QStringLiteral("Warranty")));
    CloseButton->setText(Lookup(kAboutSection, QStringLiteral("Close")));
}

void ShowAbout(QWidget* parent, const TextLookup& lookup)
{
    TfmAbout box(lookup, parent);
    box.exec();
}

} // namespace reelkeep
