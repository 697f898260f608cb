// Disables widgets for the length of a scope and enables them again when it ends,
// however it ends (return, error, cancel). Only widgets it disabled are enabled again.
#pragma once

#include <QPointer>
#include <QWidget>
#include <initializer_list>
#include <vector>

namespace reelkeep {

class InterfaceLock {
public:
    explicit InterfaceLock(std::initializer_list<QWidget*> widgets);
    ~InterfaceLock();
    InterfaceLock(const InterfaceLock&) = delete;
    InterfaceLock& operator=(const InterfaceLock&) = delete;

private:
    std::vector<QPointer<QWidget>> m_disabled;
};

} // namespace reelkeep
