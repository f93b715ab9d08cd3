#include "common/KeyFilter.h"
#include "common/Ansi.h"
#include "common/AppState.h"
#include "common/TextTrim.h"

namespace durvek {

namespace {

constexpr QChar kRejected = QChar(0);
constexpr char16_t kAcuteAccent = 0x00B4;

struct AllowedSet {
    const char* token;
    const char* allowed; // nullptr: everything but the space
    bool caseBlind;
};

constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// In the order the masks are checked.
const AllowedSet kAllowedSets[] = {
    {"/TEL ", "0123456789/.+ ", false},
    {"/TIME ", "0123456789:/-", false},
    {"/BTW ", "0123456789.-ABCDEFGHIJKLMNOPQRSTUVWXYZ", false},
    {"/EMAIL ", "0123456789._ABCDEFGHIJKLMNOPQRSTUVWXYZ@", true},
    {"/K ", kLetters, true},
    {"/KR ", "-ABCDEFGHIJKLMNOPQRSTUVWXYZ", true},
    {"/KK ", "0123456789-", false},
    {"/NP ", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ", true},
    {"/N ", "0123456789", false},
    {"/NM ", "0123456789-", false},
    {"/D ", "0123456789/-", false},
    {"/NC ", "0123456789()-/.", false},
    {"/NS ", nullptr, false},
    {"/C ", nullptr, false},
    {"/Q ", "0123456789-?", false},
    {"/S ", "0123456789.,", false},
};

const AllowedSet kDecimalSet = {"/S ", "0123456789.,", false};
const AllowedSet kSignedDigits = {"/N- ", "0123456789-", false};

bool hasToken(const QString& tag, const char* token)
{
    return tag.contains(QLatin1String(token));
}

bool isAllowed(QChar key, const AllowedSet& set)
{
    if (key == kRejected)
        return false;
    const auto code = ansiCode(key);
    if (!code)
        return false;
    if (!set.allowed)
        return *code != ' ';
    unsigned char tested = *code;
    if (set.caseBlind && tested >= 'a' && tested <= 'z')
        tested = static_cast<unsigned char>(tested - 'a' + 'A');
    for (const char* p = set.allowed; *p; ++p) {
        if (static_cast<unsigned char>(*p) == tested)
            return true;
    }
    return false;
}

void applySet(QChar& key, const AllowedSet& set)
{
    if (!isAllowed(key, set))
        key = kRejected;
}

// The places already typed after the first decimal separator reach the
// mask's limit: no key of any kind may lengthen the number further.
void applyDecimalPlaces(const QString& text, const QString& tag, QChar& key, QChar decimalSeparator)
{
    const qsizetype separatorIndex = text.indexOf(decimalSeparator);
    if (separatorIndex < 0)
        return;
    const qsizetype placesTyped = text.size() - (separatorIndex + 1);
    for (int places = 9; places >= 1; --places) {
        const QString token = QStringLiteral("/DP%1 ").arg(places);
        if (tag.contains(token) && placesTyped == places)
            key = kRejected;
    }
}

void applyOneDecimalSeparator(const QString& text, QChar& key, QChar decimalSeparator)
{
    applySet(key, kDecimalSet);
    if (text.contains(decimalSeparator) && (key == u'.' || key == u','))
        key = kRejected;
}

} // namespace

bool isControlKey(QChar key)
{
    return key.unicode() < 32 || key.unicode() == 127;
}

QChar ansiUpper(QChar key)
{
    if (!ansiCode(key))
        return key;
    const QChar upper = key.toUpper();
    return ansiCode(upper) ? upper : key;
}

bool FilterKey(const QString& text, const QString& tag, QChar& key, int selectionLength,
               QChar decimalSeparator)
{
    // An apostrophe would end the quoted texts the windows build into SQL criteria.
    if (key == u'\'')
        key = QChar(kAcuteAccent);

    if (hasToken(tag, "/> "))
        key = ansiUpper(key);

    for (const AllowedSet& set : kAllowedSets) {
        if (hasToken(tag, set.token))
            applySet(key, set);
    }

    // Replacing the whole text starts the number afresh.
    if (selectionLength != text.size()) {
        applyDecimalPlaces(text, tag, key, decimalSeparator);
        if (hasToken(tag, "/S "))
            applyOneDecimalSeparator(text, key, decimalSeparator);
    }

    if (hasToken(tag, kSignedDigits.token))
        applySet(key, kSignedDigits);

    if (hasToken(tag, "/NEG ") && key == u'-' && !trimSpaces(text).isEmpty())
        key = kRejected;

    return key != kRejected;
}

bool FilterKey(const QString& text, const QString& tag, QChar& key, int selectionLength)
{
    return FilterKey(text, tag, key, selectionLength, appState().decimalSeparator);
}

} // namespace durvek
