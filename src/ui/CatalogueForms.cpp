#include "CatalogueForms.h"

#include "TzkReelkeep.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace reelkeep {

std::optional<CatalogueForm> ReadableFormOf(const QString& path)
{
    const std::optional<CatalogueForm> form = FormOfFileName(path);
    if (form == CatalogueForm::Kdx21 || form == CatalogueForm::Xml || form == CatalogueForm::Xls)
        return form;
    return std::nullopt;
}

bool ReadCatalogue(TzkReelkeep& doc, const QString& path, CatalogueForm form)
{
    switch (form) {
    case CatalogueForm::Xml:
        doc.LoadFromXML(path);
        return true;
    case CatalogueForm::Xls:
        doc.LoadFromExcel(path);
        return true;
    default:
        return doc.LoadFromFile(path);
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

QString RecordListFilter(const QString& name)
{
    return name + QStringLiteral(" (*.kdx)");
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
