#pragma once

#include "FileReport.h"
#include "Options.h"

#include <QByteArrayView>
#include <functional>
#include <semaphore>
#include <string>

namespace penlark::convert {

// Converts one file as the options say. The reading and converting happen while a slot of
// busy is held; a rewrite's last step, which waits on the disk rather than the processor,
// happens after the slot is given back. Output for standard output goes to output as it
// comes when it is given, else into the report.
FileReport convertFile(const std::string& name, const Options& options,
                       std::counting_semaphore<>& busy,
                       const std::function<bool(QByteArrayView)>* output = nullptr);

// Recognises one file's charset and line-break code: "FILE: CHARSET BREAK" as output.
FileReport guessFile(const std::string& name);

} // namespace penlark::convert
