// A file descriptor closed on every way out of the scope that opened it.
#pragma once

#include <cerrno>
#include <utility>

#include <unistd.h>

class UniqueFd {
public:
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            UniqueFd old(std::exchange(m_fd, other.Release()));
        }
        return *this;
    }
    ~UniqueFd() {
        if (m_fd >= 0) {
            // errno still tells the caller why the work failed, so closing keeps it.
            const int error = errno;
            ::close(m_fd);
            errno = error;
        }
    }
    int Get() const { return m_fd; }
    // For the path that closes the descriptor itself, to check what close() says.
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};
