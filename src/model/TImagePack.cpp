#include "TImagePack.h"

#include <algorithm>

namespace reelkeep {

void TImagePack::AddImage(const QByteArray& bytes, std::int32_t rowId)
{
    OwnerIDs.push_back(rowId);
    Images.push_back(bytes);
}

int TImagePack::ImageCount(std::int32_t rowId) const
{
    return static_cast<int>(std::count(OwnerIDs.begin(), OwnerIDs.end(), rowId));
}

int TImagePack::indexOf(std::int32_t rowId, int k) const
{
    if (k < 0)
        return -1;
    for (size_t i = 0; i < OwnerIDs.size(); ++i)
        if (OwnerIDs[i] == rowId && k-- == 0)
            return static_cast<int>(i);
    return -1;
}

QByteArray TImagePack::GetImage(std::int32_t rowId, int k) const
{
    const int i = indexOf(rowId, k);
    return i < 0 ? QByteArray() : Images[static_cast<size_t>(i)];
}

int TImagePack::ImageSize(std::int32_t rowId, int k) const
{
    const int i = indexOf(rowId, k);
    return i < 0 ? 0 : static_cast<int>(Images[static_cast<size_t>(i)].size());
}

void TImagePack::DeleteImage(std::int32_t rowId, int k)
{
    const int i = indexOf(rowId, k);
    if (i < 0)
        return;
    OwnerIDs.erase(OwnerIDs.begin() + i);
    Images.erase(Images.begin() + i);
}

void TImagePack::DeleteImagesOf(const std::unordered_set<std::int32_t>& rowIds)
{
    size_t kept = 0;
    for (size_t i = 0; i < OwnerIDs.size(); ++i) {
        if (rowIds.contains(OwnerIDs[i]))
            continue;
        OwnerIDs[kept] = OwnerIDs[i];
        Images[kept] = std::move(Images[i]);
        ++kept;
    }
    OwnerIDs.resize(kept);
    Images.resize(kept);
}

} // namespace reelkeep
