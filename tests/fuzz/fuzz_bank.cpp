// libFuzzer target: any bytes given to the bank's set-file reader (the text
// sources in bank/sets/) must give a set or a refusal that names its line, and
// never crash. Built and run by scripts/fuzz.sh.
#include "tests/fuzz/fuzzinputs.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const QString fault = pptdrill::fuzz::readSetInput(bytes); !fault.isEmpty()) {
        std::fprintf(stderr, "fuzz_bank: %s\n", fault.toUtf8().constData());
        __builtin_trap();
    }
    return 0;
}
