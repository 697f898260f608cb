#include "CatalogueJson.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>

namespace reelkeep::cli {
namespace {

QJsonObject columnToJson(const TzkColumn& column)
{
    return QJsonObject{
        {QStringLiteral("name"), column.Name},
        {QStringLiteral("type"), column.Type},
        {QStringLiteral("pattern"), column.Pattern},
        {QStringLiteral("logicalValue"), column.LogicalValue},
        {QStringLiteral("namesWithDot"), column.NamesWithDot},
        {QStringLiteral("secondNames"), column.SecondNames},
        {QStringLiteral("width"), column.Width},
        {QStringLiteral("filterText"), column.FilterText},
    };
}

QJsonArray rowsToJson(const std::vector<RowPtr>& rows)
{
    QJsonArray out;
    for (const auto& row : rows) {
        QJsonArray cells;
        for (const QString& cell : row->Fields)
            cells.append(cell);
        out.append(QJsonObject{
            {QStringLiteral("id"), row->ID},
            {QStringLiteral("groupId"), row->GroupID},
            {QStringLiteral("filtered"), row->Filtered},
            {QStringLiteral("cells"), cells},
            {QStringLiteral("children"), rowsToJson(row->Children)},
        });
    }
    return out;
}

QJsonObject listToJson(const TZKList& list)
{
    QJsonArray columns;
    for (int c = 0; c < list.ColumnCount(); ++c)
        columns.append(columnToJson(list.Column(c)));
    QJsonArray images;
    for (int i = 0; i < list.Images.Count(); ++i) {
        const QByteArray& bytes = list.Images.Images[static_cast<size_t>(i)];
        images.append(QJsonObject{
            {QStringLiteral("ownerId"), list.Images.OwnerIDs[static_cast<size_t>(i)]},
            {QStringLiteral("size"), bytes.size()},
            {QStringLiteral("sha256"), QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex())},
        });
    }
    return QJsonObject{
        {QStringLiteral("name"), list.Name},
        {QStringLiteral("maxId"), list.MaxID},
        {QStringLiteral("sortColumn"), list.SortColumn},
        {QStringLiteral("sortDescending"), list.SortDescending},
        {QStringLiteral("columns"), columns},
        {QStringLiteral("rows"), rowsToJson(list.Items())},
        {QStringLiteral("images"), images},
    };
}

} // namespace

QJsonObject CatalogueToJson(const TZKLists& lists)
{
    QJsonArray out;
    for (const auto& list : lists.Lists)
        out.append(listToJson(*list));
    return QJsonObject{{QStringLiteral("autor"), lists.Autor}, {QStringLiteral("lists"), out}};
}

QByteArray CatalogueJsonText(const TZKLists& lists)
{
    return QJsonDocument(CatalogueToJson(lists)).toJson(QJsonDocument::Indented);
}

} // namespace reelkeep::cli
