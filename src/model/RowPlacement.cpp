#include "RowPlacement.h"

#include <unordered_map>
#include <utility>

namespace reelkeep {
namespace {

std::vector<RowPtr>& containerOf(TZKList& list, TzkRow* parent)
{
    return parent ? parent->Children : list.EditItems();
}

// Puts rows back into one container at their former places (rising), merging with what stayed.
void mergeBack(std::vector<RowPtr>& container, std::vector<TakenRow>::iterator first, std::vector<TakenRow>::iterator last)
{
    std::vector<RowPtr> merged;
    merged.reserve(container.size() + static_cast<std::size_t>(last - first));
    auto stayed = container.begin();
    while (first != last || stayed != container.end()) {
        if (first != last && first->index == merged.size())
            merged.push_back(std::move((first++)->row));
        else
            merged.push_back(std::move(*stayed++));
    }
    container = std::move(merged);
}

} // namespace

std::size_t TakenRows::bytes() const
{
    std::size_t total = rows.size() * sizeof(TakenRow) + images.size() * sizeof(TakenImage);
    for (const TakenRow& taken : rows)
        total += MemoryOfRow(*taken.row);
    for (const TakenImage& image : images)
        total += std::size_t(image.bytes.size());
    return total;
}

namespace {

// The IDs of the rows and of all rows nested in them.
std::unordered_set<std::int32_t> idsWithin(const std::vector<const TzkRow*>& rows)
{
    std::unordered_set<std::int32_t> ids;
    std::vector<const TzkRow*> pending(rows);
    while (!pending.empty()) {
        const TzkRow* row = pending.back();
        pending.pop_back();
        ids.insert(row->ID);
        for (const RowPtr& child : row->Children)
            pending.push_back(child.get());
    }
    return ids;
}

} // namespace

std::size_t MemoryOfRows(const TZKList& list, const std::vector<TzkRow*>& rows)
{
    std::size_t total = 0;
    for (const TzkRow* row : rows)
        total += MemoryOfRow(*row);
    if (list.Images.Count() == 0)
        return total;
    const std::unordered_set<std::int32_t> ids = idsWithin({rows.begin(), rows.end()});
    for (std::size_t i = 0; i < list.Images.OwnerIDs.size(); ++i)
        if (ids.contains(list.Images.OwnerIDs[i]))
            total += std::size_t(list.Images.Images[i].size());
    return total;
}

TakenRows TakeRows(TZKList& list, const std::unordered_set<const TzkRow*>& rows, bool withImages)
{
    TakenRows taken;
    if (rows.empty())
        return taken;
    std::vector<TzkRow*> parents{nullptr};
    for (std::size_t next = 0; next < parents.size(); ++next) {
        TzkRow* parent = parents[next];
        std::vector<RowPtr>& container = containerOf(list, parent);
        std::size_t kept = 0;
        for (std::size_t i = 0; i < container.size(); ++i) {
            TzkRow* row = container[i].get();
            if (!row->Children.empty())
                parents.push_back(row);
            if (rows.contains(row))
                taken.rows.push_back({parent, i, std::move(container[i])});
            else
                container[kept++] = std::move(container[i]);
        }
        container.resize(kept);
    }
    if (!withImages || list.Images.Count() == 0)
        return taken;
    std::vector<const TzkRow*> outer;
    for (const TakenRow& row : taken.rows)
        outer.push_back(row.row.get());
    const std::unordered_set<std::int32_t> owners = idsWithin(outer);
    TImagePack& pack = list.Images;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < pack.OwnerIDs.size(); ++i) {
        if (owners.contains(pack.OwnerIDs[i])) {
            taken.images.push_back({i, pack.OwnerIDs[i], std::move(pack.Images[i])});
            continue;
        }
        pack.OwnerIDs[kept] = pack.OwnerIDs[i];
        pack.Images[kept] = std::move(pack.Images[i]);
        ++kept;
    }
    pack.OwnerIDs.resize(kept);
    pack.Images.resize(kept);
    return taken;
}

void PutBackRows(TZKList& list, TakenRows& taken)
{
    for (auto first = taken.rows.begin(); first != taken.rows.end();) {
        auto last = first;
        while (last != taken.rows.end() && last->parent == first->parent)
            ++last;
        mergeBack(containerOf(list, first->parent), first, last);
        first = last;
    }
    taken.rows.clear();
    if (taken.images.empty())
        return;
    TImagePack& pack = list.Images;
    std::vector<std::int32_t> owners;
    std::vector<QByteArray> images;
    owners.reserve(pack.OwnerIDs.size() + taken.images.size());
    images.reserve(owners.capacity());
    auto back = taken.images.begin();
    for (std::size_t stayed = 0; stayed < pack.OwnerIDs.size() || back != taken.images.end();) {
        if (back != taken.images.end() && back->index == owners.size()) {
            owners.push_back(back->owner);
            images.push_back(std::move(back->bytes));
            ++back;
        } else {
            owners.push_back(pack.OwnerIDs[stayed]);
            images.push_back(std::move(pack.Images[stayed]));
            ++stayed;
        }
    }
    pack.OwnerIDs = std::move(owners);
    pack.Images = std::move(images);
    taken.images.clear();
}

std::size_t RowOrderSnapshot::bytes() const
{
    std::size_t total = containers.size() * sizeof(Container);
    for (const Container& container : containers)
        total += container.rows.size() * sizeof(TzkRow*);
    return total;
}

RowOrderSnapshot CaptureRowOrder(const TZKList& list)
{
    RowOrderSnapshot order;
    order.sortColumn = list.SortColumn;
    order.sortDescending = list.SortDescending;
    std::vector<std::pair<TzkRow*, const std::vector<RowPtr>*>> pending{{nullptr, &list.Items()}};
    while (!pending.empty()) {
        const auto [parent, rows] = pending.back();
        pending.pop_back();
        if (rows->size() < 2 && (rows->empty() || rows->front()->Children.empty()))
            continue;
        RowOrderSnapshot::Container container{parent, {}};
        container.rows.reserve(rows->size());
        for (const RowPtr& row : *rows) {
            container.rows.push_back(row.get());
            if (!row->Children.empty())
                pending.emplace_back(row.get(), &row->Children);
        }
        if (container.rows.size() > 1)
            order.containers.push_back(std::move(container));
    }
    return order;
}

void RestoreRowOrder(TZKList& list, const RowOrderSnapshot& order)
{
    for (const RowOrderSnapshot::Container& wanted : order.containers) {
        std::vector<RowPtr>& container = containerOf(list, wanted.parent);
        std::unordered_map<const TzkRow*, RowPtr> held;
        held.reserve(container.size());
        for (RowPtr& row : container) {
            const TzkRow* key = row.get();
            held.emplace(key, std::move(row));
        }
        for (std::size_t i = 0; i < wanted.rows.size(); ++i)
            container[i] = std::move(held.at(wanted.rows[i]));
    }
    list.SortColumn = order.sortColumn;
    list.SortDescending = order.sortDescending;
}

} // namespace reelkeep
