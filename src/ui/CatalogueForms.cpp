#include "CatalogueForms.h"

#include "TzkReelkeep.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace reelkeep {

CatalogueForm FormOfExtension(const QString& extension)
{
    const QString lower = extension.toLower();
    if (lower == QLatin1String(".kdx"))
        return CatalogueForm::Kdx;
    if (lower == QLatin1String(".xkdx"))
        return CatalogueForm::Xkdx;
    if (lower == QLatin1String(".xls"))
        return CatalogueForm::Xls;
    if (lower == QLatin1String(".txt"))
        return CatalogueForm::TextListing;
    return CatalogueForm::Unknown;
}

QString ExtensionOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    return suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
}

bool ReadCatalogue(TzkReelkeep& doc, const QString& path, CatalogueForm form)
{
    switch (form) {
    case CatalogueForm::Kdx:
        return doc.LoadFromFile(path);
    case CatalogueForm::Xkdx:
        return doc.LoadFromXML(path);
    case CatalogueForm::Xls:
        return doc.LoadFromExcel(path);
    case CatalogueForm::TextListing:
    case CatalogueForm::Unknown:
        break;
    }
    return false;
}

void WriteCatalogue(const TzkReelkeep& doc, const QString& path, CatalogueForm form)
{
    switch (form) {
    case CatalogueForm::Kdx:
        doc.SaveToFile(path);
        break;
    case CatalogueForm::Xkdx:
        doc.SaveToXML(path);
        break;
    case CatalogueForm::Xls:
        doc.SaveToExcel(path);
        break;
    case CatalogueForm::TextListing:
        doc.SaveToText(path);
        break;
    case CatalogueForm::Unknown:
        break;
    }
}

QStringList CatalogueFilters(const QString& allFilesText)
{
    return QStringList{allFilesText + QStringLiteral(" (*)")} + NewCatalogueFilters();
}

QStringList NewCatalogueFilters()
{
    return {QStringLiteral("Tavrine reelkeep (*.kdx)"), QStringLiteral("Xml reelkeep (*.xkdx)"),
            QStringLiteral("Excel (*.xls)")};
}

QString WithFilterExtension(const QString& path, const QString& filter)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    static const QRegularExpression pattern(QStringLiteral("\\*(\\.[A-Za-z0-9]+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? path + match.captured(1) : path;
}

} // namespace reelkeep
