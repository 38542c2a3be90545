#include "document/recovery_format.h"

#include "core/row_table.h"
#include "core/sequence_file.h"
#include "core/text_stream.h"

#include <QUrl>

#include <zlib.h>

namespace
{

// The row count and the checksum, then the path of the file the rows belong
// to, percent-encoded so that any name fits on a line, and the time written.
constexpr char COUNT_KEY[] = "N=";
constexpr char CHECKSUM_KEY[] = "C=";
constexpr char FILE_KEY[] = "P=";
constexpr char TIME_KEY[] = "T=";
constexpr int CHECKSUM_DIGITS = 8;
constexpr int HEX = 16;

quint32 Checksum(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const Bytef *>(bytes.constData());
    return static_cast<quint32>(crc32(crc32(0L, Z_NULL, 0), data, static_cast<uInt>(bytes.size())));
}

// The value of the first line of rest if it is "KEY=value", which it takes
// off rest; nullopt when the line has another key or no end.
std::optional<QByteArray> TakeValue(QByteArray &rest, const char *key)
{
    const qsizetype end = rest.indexOf('\n');
    if (end < 0 || !rest.startsWith(key))
        return std::nullopt;
    const QByteArray value = rest.left(end).mid(qstrlen(key)).trimmed();
    rest.remove(0, end + 1);
    return value;
}

std::optional<RecoveryRecord> ParseRecord(QByteArray content)
{
    const std::optional<QByteArray> name = TakeValue(content, FILE_KEY);
    const std::optional<QByteArray> time = name ? TakeValue(content, TIME_KEY) : std::nullopt;
    if (!time)
        return std::nullopt;
    RecoveryRecord record { QUrl::fromPercentEncoding(*name),
        QDateTime::fromString(QString::fromLatin1(*time), Qt::ISODate), {} };
    if (!record.time.isValid())
        return std::nullopt;
    MemoryTextInput input(std::string_view(content.constData(), std::size_t(content.size())));
    try {
        ReadSequenceFile(record.rows, input);
    } catch (const LoadError &) {
        return std::nullopt;
    }
    return record;
}

} // namespace

QByteArray FormatRecovery(const RecoveryRecord &record)
{
    StringTextOutput text;
    WriteSequenceFile(record.rows, text);
    const QByteArray body = FILE_KEY + QUrl::toPercentEncoding(record.file) + '\n' + TIME_KEY
        + record.time.toUTC().toString(Qt::ISODate).toLatin1() + '\n'
        + QByteArray::fromStdString(text.Text());
    return COUNT_KEY + QByteArray::number(record.rows.GetCount()) + '\n' + CHECKSUM_KEY
        + QByteArray::number(Checksum(body), HEX).rightJustified(CHECKSUM_DIGITS, '0') + '\n' + body;
}

std::optional<RecoveryRecord> ParseRecovery(const QByteArray &content)
{
    if (content.size() > MAX_RECOVERY_FILE_SIZE)
        return std::nullopt;
    if (!content.startsWith(COUNT_KEY))
        return ParseRecord(content);
    QByteArray body = content;
    const std::optional<QByteArray> count = TakeValue(body, COUNT_KEY);
    const std::optional<QByteArray> checksum = TakeValue(body, CHECKSUM_KEY);
    bool countRead = false;
    bool checksumRead = false;
    const int rows = count ? count->toInt(&countRead) : 0;
    const quint32 expected
        = checksum && checksum->size() == CHECKSUM_DIGITS ? checksum->toUInt(&checksumRead, HEX) : 0;
    if (!countRead || !checksumRead || Checksum(body) != expected)
        return std::nullopt;
    std::optional<RecoveryRecord> record = ParseRecord(body);
    if (!record || record->rows.GetCount() != rows)
        return std::nullopt;
    return record;
}
