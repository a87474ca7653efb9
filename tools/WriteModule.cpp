// Writes a module file: the readable module text of a source file, every line ended by CR LF, in the
// protected container with its CRC tag, exactly as the module loader expects it.
//
// Usage: WriteModule <module text> <module file .bpf>

#include "core/ContainerState.h"
#include "core/VbTypes.h"
#include "library/Check_CRC32.h"
#include "library/Global.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: WriteModule <module text> <module file>\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "WriteModule: cannot read %s\n", argv[1]);
        return 1;
    }
    QByteArray text = in.readAll();
    // Only 7-bit text survives the container; anything else would cut the module short on reading.
    for (const char c : text) {
        if (static_cast<unsigned char>(c) > 127) {
            std::fprintf(stderr, "WriteModule: %s holds a character that is not 7-bit ASCII\n", argv[1]);
            return 1;
        }
    }
    // The sources keep whatever line ends the checkout gives them; the module text wants CR LF.
    text.replace("\r\n", "\n");
    if (!text.isEmpty() && !text.endsWith('\n'))
        text.append('\n');
    text.replace("\n", "\r\n");

    DataBytes.assign(text.begin(), text.end());
    DataUBound = static_cast<std::int32_t>(DataBytes.size()) - 1;
    const QString tag = ChecksumTag(Crc32Bytes(DataBytes));
    try {
        WriteProtectedFile(DataBytes, tag, target);
    } catch (const VbError& e) {
        std::fprintf(stderr, "WriteModule: %s\n", e.what());
        return 1;
    }
    return 0;
}
