#include "line_reader.h"

#include <cerrno>
#include <unistd.h>

namespace m7sim {

bool LineReader::Fill() {
    char chunk[4096];
    const ssize_t length = ::read(fd_, chunk, sizeof chunk);
    if (length > 0) {
        buffer_.append(chunk, static_cast<std::size_t>(length));
    } else if (length == 0 || (errno != EINTR && errno != EAGAIN)) {
        ended_ = true;
    }
    return !ended_;
}

std::optional<std::string> LineReader::NextLine() {
    const auto newline = buffer_.find('\n');
    if (newline == std::string::npos && !(ended_ && !buffer_.empty())) {
        return std::nullopt;
    }
    const auto length = newline == std::string::npos ? buffer_.size() : newline;
    std::string line = buffer_.substr(0, length);
    buffer_.erase(0, newline == std::string::npos ? length : length + 1);
    return line;
}

} // namespace m7sim
