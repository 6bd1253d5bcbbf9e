#include "library/ExtrasFileReader.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// libFuzzer entry: the import's parser must give a document or a reason for any bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const auto document = ExtrasFileReader::read(input, &error);
    if (!document && error.isEmpty())
        __builtin_trap();
    return 0;
}
