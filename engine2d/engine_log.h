// engine_log.h
// The engine's log: one line per call, appended to a named file in the current folder. Limits: the
// file is opened and closed for every line (the engine logs rarely); with no file name set, or when
// the file cannot be opened, lines go to standard error instead, so none is lost.
#pragma once

#include <cstdarg>
#include <string>

class EngineLog {
public:
    void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }
    const std::string& FileName() const { return fileName_; }

    // Appends `line` and a newline (one newline only, even when the line already ends in one).
    void Write(const std::string& line) const;
    // Writes the line to the log and to standard error: for failures a person must see even when
    // nobody reads the log (no display, no window).
    void WriteAndTell(const std::string& line) const;

private:
    bool AppendToFile(const std::string& line) const;
    std::string fileName_;
};

// printf-style formatting into a string of any length.
std::string FormatText(const char* format, va_list args);
[[gnu::format(printf, 1, 2)]] std::string FormatText(const char* format, ...);
