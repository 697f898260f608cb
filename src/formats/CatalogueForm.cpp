#include "CatalogueForm.h"

#include <QFileInfo>

namespace reelkeep {
namespace {

bool isKdx(CatalogueForm form)
{
    return form == CatalogueForm::Kdx13 || form == CatalogueForm::Kdx20 || form == CatalogueForm::Kdx21;
}

} // namespace

QString FormName(CatalogueForm form)
{
    switch (form) {
    case CatalogueForm::Kdx13: return QStringLiteral(".kdx version 1.3");
    case CatalogueForm::Kdx20: return QStringLiteral(".kdx version 2.0");
    case CatalogueForm::Kdx21: return QStringLiteral(".kdx version 2.1");
    case CatalogueForm::Xml: return QStringLiteral(".xkdx (XML)");
    case CatalogueForm::Xls: return QStringLiteral(".xls workbook");
    case CatalogueForm::TextListing: return QStringLiteral(".txt listing");
    case CatalogueForm::TextForm: return QStringLiteral("catalogue text for export and the clipboard");
    }
    return QString();
}

std::optional<CatalogueForm> FormOfFileName(const QString& fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == QLatin1String("kdx"))
        return CatalogueForm::Kdx21;
    if (extension == QLatin1String("xkdx"))
        return CatalogueForm::Xml;
    if (extension == QLatin1String("xls"))
        return CatalogueForm::Xls;
    if (extension == QLatin1String("txt"))
        return CatalogueForm::TextListing;
    return std::nullopt;
}

std::optional<CatalogueForm> FormForSaving(const QString& fileName, std::optional<CatalogueForm> loadedForm)
{
    const std::optional<CatalogueForm> named = FormOfFileName(fileName);
    if (named && loadedForm && isKdx(*named) && isKdx(*loadedForm))
        return loadedForm;
    return named;
}

} // namespace reelkeep
