#include "GridCellDelegate.h"

#include <QApplication>
#include <QPainter>

namespace reelkeep {
namespace {

// Enough for several screens of cells; past it the texts are laid out afresh.
constexpr qsizetype kTextsKept = 8192;

QPalette::ColorGroup ColourGroup(const QStyleOptionViewItem& option)
{
    if (!(option.state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return option.state & QStyle::State_Active ? QPalette::Normal : QPalette::Inactive;
}

bool IsOneLine(const QString& text)
{
    return !text.contains(QLatin1Char('\n')) && !text.contains(QChar::LineSeparator);
}

} // namespace

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!paintPlainCell(painter, option, index))
        QStyledItemDelegate::paint(painter, option, index);
    drawGridLines(painter, option);
}

void GridCellDelegate::drawGridLines(QPainter* painter, const QStyleOptionViewItem& option)
{
    painter->save();
    painter->setPen(option.palette.color(QPalette::Midlight));
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->restore();
}

bool GridCellDelegate::paintPlainCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    if ((option.state & QStyle::State_HasFocus) || option.direction == Qt::RightToLeft || !IsOneLine(text))
        return false;
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();

    // The background as the style draws it: the row's colour, or the selection's.
    QStyleOptionViewItem background(option);
    background.backgroundBrush = qvariant_cast<QBrush>(index.data(Qt::BackgroundRole));
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, widget);
    if (text.isEmpty())
        return true;

    const QPalette::ColorGroup group = ColourGroup(option);
    QColor ink = option.palette.color(group, QPalette::Text);
    if (option.state & QStyle::State_Selected)
        ink = option.palette.color(group, QPalette::HighlightedText);
    else if (const QVariant foreground = index.data(Qt::ForegroundRole); foreground.canConvert<QBrush>())
        ink = qvariant_cast<QBrush>(foreground).color();

    // Placed as the style places a cell's text: a margin each side, centred in height.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect box = option.rect.adjusted(margin, 0, -margin, 0);
    if (box.width() <= 0)
        return true;
    const QStaticText& line = laidOut(text, option, box.width());
    const int top = box.top() + (box.height() - option.fontMetrics.height()) / 2;
    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(option.font);
    painter->setPen(ink);
    painter->drawStaticText(QPoint(box.left(), top), line);
    painter->restore();
    return true;
}

const QStaticText& GridCellDelegate::laidOut(const QString& text, const QStyleOptionViewItem& option, int width) const
{
    if (option.font != m_font || m_texts.size() >= kTextsKept) {
        m_texts.clear();
        m_font = option.font;
    }
    const std::pair<QString, int> key(text, width);
    auto found = m_texts.find(key);
    if (found == m_texts.end()) {
        QStaticText line(option.fontMetrics.elidedText(text, option.textElideMode, width));
        line.setTextFormat(Qt::PlainText);
        line.setPerformanceHint(QStaticText::AggressiveCaching);
        line.prepare(QTransform(), option.font);
        found = m_texts.insert(key, line);
    }
    return *found;
}

} // namespace reelkeep
