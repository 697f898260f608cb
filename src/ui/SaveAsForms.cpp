#include "SaveAsForms.h"

#include "LossReport.h"

#include <QFileInfo>
#include <algorithm>

namespace reelkeep {
namespace {

QString extensionOf(CatalogueForm form)
{
    switch (form) {
    case CatalogueForm::Xml: return QStringLiteral("xkdx");
    case CatalogueForm::Xls: return QStringLiteral("xls");
    case CatalogueForm::TextListing: return QStringLiteral("txt");
    default: return QStringLiteral("kdx");
    }
}

const char* filterKeyOf(CatalogueForm form)
{
    switch (form) {
    case CatalogueForm::Kdx21: return "Kdx21";
    case CatalogueForm::Kdx20: return "Kdx20";
    case CatalogueForm::Kdx13: return "Kdx13";
    case CatalogueForm::Xml: return "Xml";
    case CatalogueForm::Xls: return "Xls";
    default: return "TextListing";
    }
}

} // namespace

const std::vector<CatalogueForm>& SaveAsFormOrder()
{
    static const std::vector<CatalogueForm> order{CatalogueForm::Kdx21, CatalogueForm::Kdx20, CatalogueForm::Kdx13,
                                                  CatalogueForm::Xml,   CatalogueForm::Xls,   CatalogueForm::TextListing};
    return order;
}

QStringList SaveAsFilters(const TextLookup& text)
{
    QStringList filters;
    for (const CatalogueForm form : SaveAsFormOrder())
        filters << text(QStringLiteral("SaveAsFilter"), QLatin1String(filterKeyOf(form))) + QStringLiteral(" (*.")
                       + extensionOf(form) + u')';
    return filters;
}

SaveAsTarget SaveAsTargetOf(const QString& chosenPath, int filterIndex)
{
    const std::vector<CatalogueForm>& order = SaveAsFormOrder();
    const CatalogueForm filterForm = order.at(static_cast<size_t>(std::clamp(filterIndex, 0, static_cast<int>(order.size()) - 1)));
    const QString typed = QFileInfo(chosenPath).suffix();
    if (typed.isEmpty())
        return {chosenPath + u'.' + extensionOf(filterForm), filterForm};
    if (typed.compare(extensionOf(filterForm), Qt::CaseInsensitive) == 0)
        return {chosenPath, filterForm};
    return {chosenPath, FormOfFileName(chosenPath)};
}

std::optional<CatalogueForm> RecommendedForm(const TZKLists& lists)
{
    // XML keeps images, nesting and every character; the binary forms follow in what they keep.
    for (const CatalogueForm form : {CatalogueForm::Xml, CatalogueForm::Kdx21, CatalogueForm::Kdx20, CatalogueForm::Xls})
        if (FindLoss(lists, form).IsEmpty())
            return form;
    return std::nullopt;
}

QString PathInForm(const QString& path, CatalogueForm form)
{
    const QFileInfo info(path);
    const QString base = info.suffix().isEmpty() ? path : path.left(path.size() - info.suffix().size() - 1);
    return base + u'.' + extensionOf(form);
}

} // namespace reelkeep
