// console_io.cpp: the I/O check and the error report.
// Limits: the report is one line "vrtinela2D: <message>"; nothing is written after it.
#include "console/console_io.h"

#include <cstdlib>
#include <string>

namespace vrtinela {

namespace {

constexpr std::string_view kInvalidNumber = "Invalid numeric input";
constexpr std::string_view kUnexpectedEnd = "Unexpected end of input";
constexpr std::string_view kReadFailed = "Input read error";
constexpr std::string_view kWriteFailed = "Output write error";

NumberReader* boundReader = nullptr;
ConsoleOutput* boundOutput = nullptr;
OutputSink* boundErrors = nullptr;

void CheckRead(ReadStatus status) {
    switch (status) {
        case ReadStatus::Number: return;
        case ReadStatus::NotANumber: EndRunWithError(kInvalidNumber);
        case ReadStatus::EndOfInput: EndRunWithError(kUnexpectedEnd);
        case ReadStatus::ReadError: EndRunWithError(kReadFailed);
    }
}

}  // namespace

void BindConsole(NumberReader& reader, ConsoleOutput& output, OutputSink& errors) {
    boundReader = &reader;
    boundOutput = &output;
    boundErrors = &errors;
}

void Write(std::string_view text) {
    if (!boundOutput->Write(text)) EndRunWithError(kWriteFailed);
}

void WriteLine(std::string_view text) {
    if (!boundOutput->Write(text, kLineEnd)) EndRunWithError(kWriteFailed);
}

std::int32_t ReadIntegerChecked() {
    std::int32_t value = 0;
    CheckRead(boundReader->ReadInteger(value));
    return value;
}

double ReadRealChecked() {
    double value = 0.0;
    CheckRead(boundReader->ReadReal(value));
    return value;
}

bool ReadIntegerOrEnd(std::int32_t& value) {
    const ReadStatus status = boundReader->ReadInteger(value);
    if (status == ReadStatus::EndOfInput) return false;
    CheckRead(status);
    return true;
}

void EndRunWithError(std::string_view message) {
    if (boundOutput != nullptr) boundOutput->Flush();  // what was written before stays written
    std::string report = "vrtinela2D: ";
    report += message;
    report += kLineEnd;
    if (boundErrors != nullptr) boundErrors->Put(report.data(), report.size());
    std::exit(1);
}

void FinishOutput() {
    if (!boundOutput->Flush()) EndRunWithError(kWriteFailed);
}

}  // namespace vrtinela
