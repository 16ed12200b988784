// engine_log.cpp
// The engine's log file writer and printf-style formatting without a fixed buffer.
#include "engine2d/engine_log.h"

#include <cstdio>

std::string FormatText(const char* format, va_list args) {
    if (format == nullptr) return {};
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatText(format, args);
    va_end(args);
    return text;
}

namespace {

void WriteLine(std::FILE* file, const std::string& line) {
    std::fputs(line.c_str(), file);
    if (line.empty() || line.back() != '\n') std::fputc('\n', file);
}

} // namespace

bool EngineLog::AppendToFile(const std::string& line) const {
    std::FILE* file = fileName_.empty() ? nullptr : std::fopen(fileName_.c_str(), "a");
    if (file == nullptr) return false;
    WriteLine(file, line);
    return std::fclose(file) == 0;
}

void EngineLog::Write(const std::string& line) const {
    if (!AppendToFile(line)) WriteLine(stderr, line);
}

void EngineLog::WriteAndTell(const std::string& line) const {
    AppendToFile(line);
    WriteLine(stderr, line);
}
