#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <string>

namespace penlark::convert {

// Larger inputs are refused rather than exhausting memory: a document is held in
// several forms (bytes, UTF-16, output) at once.
inline constexpr qsizetype MaxInputSize = qsizetype(256) * 1024 * 1024;

// The whole content of a file, or of standard input for "-". Regular files are mapped
// rather than copied: conversion touches every byte once, and a copy would cost as much.
class InputFile {
public:
    explicit InputFile(const std::string& name);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    const QByteArray& bytes() const { return m_bytes; }
    // Empty when the whole input was read.
    const std::string& error() const { return m_error; }

private:
    void readAll(int fd, bool mappable);
    bool map(int fd, qsizetype size);

    QByteArray m_bytes;
    std::string m_error;
    void* m_mapping = nullptr;
    qsizetype m_mappedSize = 0;
};

// Writes all bytes to standard output; on failure returns the reason, else an empty string.
std::string writeOutput(QByteArrayView bytes);

} // namespace penlark::convert
