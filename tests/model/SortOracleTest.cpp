// Compares TZKList::Sort with the plain quadratic selection sort on many random trees.
#include "CodePage.h"
#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <random>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

constexpr int kTitle = 1;
constexpr int kNumber = 3;
constexpr int kDate = 16;

bool bytesLess(const QByteArray& a, const QByteArray& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return uchar(x) < uchar(y); });
}

// The reference: keys first, then the selection sort with its comparison, literally.
// The owner of the rows (the list or a parent row) swaps them by position.
template <typename Owner>
void referenceSortLevel(Owner& owner, const std::vector<RowPtr>& rows, int c, std::uint8_t kind, bool desc,
                        const LocaleFormats& formats)
{
    const int count = int(rows.size());
    if (kind > 2)
        return;
    const CodePage& page = CodePage::Default();
    std::vector<QByteArray> textKeys;
    std::vector<qint64> valueKeys;
    for (int i = 0; i < count; ++i) {
        const QString cell = rows[size_t(i)]->Fields[size_t(c)];
        textKeys.push_back(page.lowerBytes(page.encode(cell)));
        qint64 value = 0;
        if (kind == 1 && !cell.isEmpty() &&
            std::all_of(cell.begin(), cell.end(), [](QChar ch) { return ch >= u'0' && ch <= u'9'; })) {
            bool ok = false;
            value = cell.toLongLong(&ok);
            if (!ok)
                throw ConversionError(cell);
        }
        if (kind == 2 && !cell.isEmpty())
            value = formats.toDate(page.roundTrip(cell)).toJulianDay();
        valueKeys.push_back(value);
    }
    const auto before = [&](int j, int best) {
        const QString& a = rows[size_t(best)]->Fields[size_t(c)];
        const QString& b = rows[size_t(j)]->Fields[size_t(c)];
        bool r;
        if (a.isEmpty())
            r = desc;
        else if (b.isEmpty())
            r = !desc;
        else
            r = kind == 0 ? bytesLess(textKeys[size_t(best)], textKeys[size_t(j)])
                          : valueKeys[size_t(best)] < valueKeys[size_t(j)];
        if (a != b && !desc)
            r = !r;
        return r;
    };
    for (int i = 0; i + 1 < count; ++i) {
        if (rows[size_t(i)]->Filtered)
            continue;
        int best = i;
        for (int j = i + 1; j < count; ++j)
            if (before(j, best) && !rows[size_t(j)]->Filtered)
                best = j;
        if (best != i) {
            owner.SwapRows(i, best);
            std::swap(textKeys[size_t(i)], textKeys[size_t(best)]);
            std::swap(valueKeys[size_t(i)], valueKeys[size_t(best)]);
        }
    }
}

// Each nested level after the one above it, depth first.
void referenceSortNested(const std::vector<RowPtr>& rows, int c, std::uint8_t kind, bool desc, const LocaleFormats& formats)
{
    for (const auto& row : rows) {
        if (row->Children.empty())
            continue;
        referenceSortLevel(*row, row->Children, c, kind, desc, formats);
        referenceSortNested(row->Children, c, kind, desc, formats);
    }
}

void referenceSort(TZKList& list, int c, std::uint8_t kind)
{
    const bool descending = c == list.SortColumn ? !list.SortDescending : list.SortDescending;
    list.SortColumn = c;
    referenceSortLevel(list, list.Items(), c, kind, descending, list.Formats);
    referenceSortNested(list.Items(), c, kind, descending, list.Formats);
    list.SortDescending = descending; // only once the whole tree is sorted
}

void describe(const std::vector<RowPtr>& rows, QString& out)
{
    for (const auto& row : rows) {
        out += QString::number(row->ID);
        if (!row->Children.empty()) {
            out += QLatin1Char('(');
            describe(row->Children, out);
            out += QLatin1Char(')');
        }
        out += QLatin1Char(' ');
    }
}

QString treeOrder(const TZKList& list)
{
    QString out;
    describe(list.Items(), out);
    const QLatin1String direction(list.SortDescending ? "desc" : "asc");
    return out + QStringLiteral("| column %1 %2").arg(list.SortColumn).arg(direction);
}

void copyRows(const std::vector<RowPtr>& from, TZKList& to, TzkRow* parent)
{
    for (const auto& row : from) {
        auto copy = std::make_unique<TzkRow>();
        copy->ID = row->ID;
        copy->Filtered = row->Filtered;
        copy->Fields = row->Fields;
        TzkRow* placed = to.InsertRow(std::move(copy), parent);
        copyRows(row->Children, to, placed);
    }
}

// Random cells drawn from small alphabets, so that equal keys, texts equal but for
// case, empty cells and texts outside the code page are all common.
struct CellMaker {
    std::mt19937& random;

    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool chance(int oneIn) { return between(1, oneIn) == 1; }
    QString pick(const QString& letters, int maxLength)
    {
        QString text;
        for (int k = chance(7) ? 0 : between(1, maxLength); k > 0; --k)
            text += letters[between(0, int(letters.size()) - 1)];
        return text;
    }
    QString title() { return pick(QString::fromUtf8("aAbBяЯёЁе?☃ "), 3); }
    QString number()
    {
        if (chance(300))
            return QStringLiteral("99999999999999999999");
        return chance(100) ? QStringLiteral("0000000000000000000000007") : pick(QStringLiteral("017a"), 3);
    }
    QString date()
    {
        if (chance(300))
            return QStringLiteral("31.02.2020");
        if (chance(8))
            return {};
        const int day = between(1, 3);
        const QString years[] = {QStringLiteral("2020"), QStringLiteral("20"), QStringLiteral("1999")};
        const QString d = chance(2) ? QStringLiteral("0%1").arg(day) : QString::number(day);
        return QStringLiteral("%1.%2.%3").arg(d).arg(between(1, 2)).arg(years[between(0, 2)]);
    }
};

std::unique_ptr<TZKList> randomList(CellMaker& make, int size)
{
    auto list = makeList();
    std::vector<TzkRow*> all;
    const bool nested = make.chance(2);
    for (int k = 0; k < size; ++k) {
        const bool child = nested && !all.empty() && make.chance(2);
        TzkRow* row = list->AddRow(child ? all[size_t(make.between(0, int(all.size()) - 1))] : nullptr);
        row->Fields[kTitle] = make.title();
        row->Fields[kNumber] = make.number();
        row->Fields[kDate] = make.date();
        row->Filtered = make.chance(5);
        all.push_back(row);
    }
    return list;
}

} // namespace

TEST(SortOracle, MatchesTheSelectionSortOnRandomTrees)
{
    std::mt19937 random(20261206);
    CellMaker make{random};
    const std::pair<int, std::uint8_t> sorts[] = {{kTitle, 0}, {kNumber, 1}, {kDate, 2}, {kTitle, 1},
                                                  {kNumber, 0}, {kDate, 0}, {0, 0}, {kTitle, 7}};
    int errors = 0;
    for (int round = 0; round < 1500; ++round) {
        const int size = round % 100 == 0 ? make.between(200, 400) : make.between(0, 40);
        auto list = randomList(make, size);
        auto reference = makeList();
        copyRows(list->Items(), *reference, nullptr);
        if (make.chance(4)) {
            // Filter flags as the column filters set them, nested levels included.
            const QString mask = QString::fromUtf8(make.chance(2) ? "*я*" : "a*");
            list->SetColumnFilter(kTitle, mask);
            reference->SetColumnFilter(kTitle, mask);
        }
        for (int step = 0; step < 4; ++step) {
            const auto [column, kind] = sorts[make.between(0, int(std::size(sorts)) - 1)];
            const auto attempt = [](const std::function<void()>& sort) -> std::optional<QString> {
                try {
                    sort();
                } catch (const ConversionError& e) {
                    return e.message();
                }
                return std::nullopt;
            };
            const auto error = attempt([&] { list->Sort(column, kind); });
            const auto referenceError = attempt([&] { referenceSort(*reference, column, kind); });
            ASSERT_EQ(error.has_value(), referenceError.has_value())
                << "round " << round << " step " << step << " column " << column << " kind " << int(kind);
            errors += error ? 1 : 0;
            EXPECT_TRUE(!error || error->contains(*referenceError)) << error.value_or(QString()).toStdString();
            ASSERT_EQ(treeOrder(*list), treeOrder(*reference)) << "round " << round << " step " << step;
        }
    }
    EXPECT_GT(errors, 10); // the failure paths were exercised as well
}
