#include "CatalogueForms.h"

#include "TzkReelkeep.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace reelkeep {

FileForm FormOfExtension(const QString& extension)
{
    const QString lower = extension.toLower();
    if (lower == QLatin1String(".kdx"))
        return FileForm::Kdx;
    if (lower == QLatin1String(".xkdx"))
        return FileForm::Xkdx;
    if (lower == QLatin1String(".xls"))
        return FileForm::Xls;
    if (lower == QLatin1String(".txt"))
        return FileForm::TextListing;
    return FileForm::Unknown;
}

QString ExtensionOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    return suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
}

bool ReadCatalogue(TzkReelkeep& doc, const QString& path, FileForm form)
{
    switch (form) {
    case FileForm::Kdx:
        return doc.LoadFromFile(path);
    case FileForm::Xkdx:
        doc.LoadFromXML(path);
        return true;
    case FileForm::Xls:
        doc.LoadFromExcel(path);
        return true;
    case FileForm::TextListing:
    case FileForm::Unknown:
        break;
    }
    return false;
}

void WriteCatalogue(const TzkReelkeep& doc, const QString& path, FileForm form)
{
    switch (form) {
    case FileForm::Kdx:
        doc.SaveToFile(path);
        break;
    case FileForm::Xkdx:
        doc.SaveToXML(path);
        break;
    case FileForm::Xls:
        doc.SaveToExcel(path);
        break;
    case FileForm::TextListing:
        doc.SaveToText(path);
        break;
    case FileForm::Unknown:
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
