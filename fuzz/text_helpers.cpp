// The key filter and the text helpers every window and job runs typed or
// received text through: masks, value helpers, ANSI conversion, strict numbers.
#include "FuzzInput.h"
#include "common/Ansi.h"
#include "common/KeyFilter.h"
#include "common/StrictNumber.h"
#include "common/TextTrim.h"
#include "common/ValueHelpers.h"
#include <QVariant>
#include <cstdlib>

using namespace durvek;

namespace {

const char* const kMasks[] = {"/> ", "/TEL ", "/TIME ", "/BTW ", "/EMAIL ", "/K ", "/KR ", "/KK ", "/NP ", "/N ",
                              "/NM ", "/D ", "/NC ", "/NS ", "/C ", "/Q ", "/S ", "/DP2 ", "/N- ", "/NEG ",
                              "/N /NEG ", "/S /DP1 ", "/> /K ", "/DP9 /S "};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzInput input(data, size);
    const QString tag = QString::fromLatin1(kMasks[input.byte() % std::size(kMasks)]);
    const QChar separator = input.flag() ? u',' : u'.';
    const int selection = input.byte() % 8;
    const QByteArray bytes = input.rest();
    const QString text = fromAnsi(bytes);

    // Every key typed into the field as it grows.
    QString field;
    for (const QChar typed : text) {
        QChar key = typed;
        if (isControlKey(key))
            continue;
        if (FilterKey(field, tag, key, std::min<int>(selection, int(field.size())), separator) && !key.isNull())
            field.append(key);
    }

    const QVariant value(text);
    TextOrDefault(value, QStringLiteral("-"));
    FieldNumber(value, separator);
    FieldBool(value);
    StripControlChars(text);
    RemoveSpaces(text);
    QString numeric = text;
    HasNonNumeric(numeric);
    trimSpaces(text);
    if (toAnsi(text) != bytes)
        std::abort();  // every byte has its character and back
    for (const qint64 maximum : {qint64(9), qint64(255), qint64(32767), qint64(99999999)}) {
        const StrictNumber fromText = ReadStrictNumber(QStringView(text), 0, maximum);
        const StrictNumber fromBytes = ReadStrictNumber(QByteArrayView(bytes), 0, maximum);
        if (fromText.ok && (fromText.value < 0 || fromText.value > maximum))
            std::abort();
        if (fromBytes.ok && (fromBytes.value < 0 || fromBytes.value > maximum))
            std::abort();
    }
    return 0;
}
