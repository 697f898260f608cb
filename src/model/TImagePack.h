// The images attached to the rows of one list, kept as the unchanged bytes of the
// files the user attached and keyed by row ID.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <unordered_set>
#include <vector>

namespace reelkeep {

class TImagePack {
public:
    int Count() const { return static_cast<int>(OwnerIDs.size()); }

    void AddImage(const QByteArray& bytes, std::int32_t rowId);
    int ImageCount(std::int32_t rowId) const;
    // The k-th image of the row in insertion order; empty when the row has no such image.
    QByteArray GetImage(std::int32_t rowId, int k) const;
    int ImageSize(std::int32_t rowId, int k) const;
    void DeleteImage(std::int32_t rowId, int k);
    // Every image of these rows, in one pass over the pack.
    void DeleteImagesOf(const std::unordered_set<std::int32_t>& rowIds);

    std::vector<std::int32_t> OwnerIDs;
    std::vector<QByteArray> Images;

private:
    // Index into the arrays of the row's k-th image, or -1.
    int indexOf(std::int32_t rowId, int k) const;
};

} // namespace reelkeep
