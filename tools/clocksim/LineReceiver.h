#pragma once
#include <QByteArray>
#include <cstdint>

namespace durvek::clocksim {

// What the devices make of the bytes the receiver sorts out.
class LineListener {
public:
    enum class LineKind { None, Plain, WithChecksum };

    virtual ~LineListener() = default;
    // Which kind of text line the club data transfer waits for right now.
    virtual LineKind expectedLine() const = 0;
    virtual void frameReceived(const QByteArray& payload, bool checksumOk, const QByteArray& raw) = 0;
    virtual void stageReceived(uint8_t code) = 0;
    // text without its CR; raw holds every byte of the line (CR and checksum included).
    virtual void lineReceived(const QByteArray& text, bool checksumOk, const QByteArray& raw) = 0;
    virtual void languageTextReceived(const QByteArray& text) = 0;
    virtual void languageUploadEnded() = 0;
};

// Splits the incoming byte stream into framed requests, direct-line stages,
// transfer lines and language texts. It is a state machine fed byte by byte,
// not a scan for start bytes: a line's checksum byte may be any value (0x02
// and 0x1B included) and must never be taken for the start of something else.
class LineReceiver {
public:
    static constexpr uint8_t kEscape = 0x1B;
    static constexpr uint8_t kCarriageReturn = 0x0D;

    explicit LineReceiver(LineListener& listener) : m_listener(listener) {}

    void feed(const QByteArray& bytes);
    void feed(uint8_t byte);
    void reset();
    // False while a frame, line or language upload is half received.
    bool isIdle() const { return m_state == State::Idle; }

    // True for the stage codes that may follow ESC.
    static bool isStageCode(uint8_t code);
    // Sum of the line's bytes, CR included, modulo 256.
    static uint8_t lineChecksum(const QByteArray& textWithCr);

private:
    enum class State { Idle, EnvelopeLength, EnvelopeBody, AfterEscape, LineText, LineChecksum, LanguageText };

    void idleByte(uint8_t byte);
    void afterEscape(uint8_t byte);
    void lineTextByte(uint8_t byte);
    void languageByte(uint8_t byte);
    void finishEnvelope();

    LineListener& m_listener;
    State m_state = State::Idle;
    QByteArray m_buffer;   // the envelope, line or text being collected
    int m_envelopeTotal = 0;
    bool m_lineHasChecksum = false;
};

} // namespace durvek::clocksim
