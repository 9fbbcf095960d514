#pragma once

#include <QMutex>
#include <QMutexLocker>

namespace zerda {

// A value shared between threads and replaced now and then (a hook, a seam for tests): read and
// written under a lock, handed out as a copy.
template <class T>
class Guarded {
public:
    Guarded() = default;
    explicit Guarded(T value) : m_value(std::move(value)) {}

    T get() const {
        QMutexLocker locker(&m_lock);
        return m_value;
    }
    void set(T value) {
        QMutexLocker locker(&m_lock);
        m_value = std::move(value);
    }

private:
    mutable QMutex m_lock;
    T m_value{};
};

}  // namespace zerda
