#include "LineReceiver.h"
#include "clocklink/Envelope.h"

namespace durvek::clocksim {

bool LineReceiver::isStageCode(uint8_t code)
{
    return code == 1 || code == 2 || code == 5 || code == 6 || code == 8 || code == 10;
}

uint8_t LineReceiver::lineChecksum(const QByteArray& textWithCr)
{
    unsigned sum = 0;
    for (char c : textWithCr)
        sum += uint8_t(c);
    return uint8_t(sum & 0xFF);
}

void LineReceiver::reset()
{
    m_state = State::Idle;
    m_buffer.clear();
    m_envelopeTotal = 0;
}

void LineReceiver::feed(const QByteArray& bytes)
{
    for (char c : bytes)
        feed(uint8_t(c));
}

void LineReceiver::feed(uint8_t byte)
{
    switch (m_state) {
    case State::Idle:
        idleByte(byte);
        return;
    case State::EnvelopeLength:
        if (byte == 0) {
            // Not an envelope after all: a length of 0 never starts one.
            reset();
            return;
        }
        m_buffer.append(char(byte));
        m_envelopeTotal = byte + 3;
        m_state = State::EnvelopeBody;
        return;
    case State::EnvelopeBody:
        m_buffer.append(char(byte));
        if (m_buffer.size() == m_envelopeTotal)
            finishEnvelope();
        return;
    case State::AfterEscape:
        afterEscape(byte);
        return;
    case State::LineText:
        lineTextByte(byte);
        return;
    case State::LineChecksum: {
        const QByteArray raw = m_buffer + char(byte);
        const QByteArray text = m_buffer.left(m_buffer.size() - 1);
        const bool ok = lineChecksum(m_buffer) == byte;
        reset();
        m_listener.lineReceived(text, ok, raw);
        return;
    }
    case State::LanguageText:
        languageByte(byte);
        return;
    }
}

void LineReceiver::idleByte(uint8_t byte)
{
    if (byte == envelope::kStart) {
        m_buffer = QByteArray(1, char(byte));
        m_state = State::EnvelopeLength;
        return;
    }
    if (byte == kEscape) {
        m_state = State::AfterEscape;
        return;
    }
    const LineListener::LineKind kind = m_listener.expectedLine();
    if (kind == LineListener::LineKind::None)
        return; // line noise between conversations
    m_lineHasChecksum = kind == LineListener::LineKind::WithChecksum;
    m_buffer.clear();
    m_state = State::LineText;
    lineTextByte(byte);
}

void LineReceiver::afterEscape(uint8_t byte)
{
    if (isStageCode(byte)) {
        reset();
        m_listener.stageReceived(byte);
        return;
    }
    // Anything else opens a language upload; an immediate second ESC is an
    // upload without texts.
    m_buffer.clear();
    m_state = State::LanguageText;
    languageByte(byte);
}

void LineReceiver::lineTextByte(uint8_t byte)
{
    m_buffer.append(char(byte));
    if (byte != kCarriageReturn)
        return;
    if (m_lineHasChecksum) {
        m_state = State::LineChecksum;
        return;
    }
    const QByteArray raw = m_buffer;
    reset();
    m_listener.lineReceived(raw.left(raw.size() - 1), true, raw);
}

void LineReceiver::languageByte(uint8_t byte)
{
    if (byte == kEscape) {
        if (!m_buffer.isEmpty())
            m_listener.languageTextReceived(m_buffer);
        reset();
        m_listener.languageUploadEnded();
        return;
    }
    if (byte == 0) {
        const QByteArray text = m_buffer;
        m_buffer.clear();
        m_listener.languageTextReceived(text);
        return;
    }
    m_buffer.append(char(byte));
}

void LineReceiver::finishEnvelope()
{
    const QByteArray raw = m_buffer;
    const envelope::Decoded decoded = envelope::decodeFront(raw);
    reset();
    m_listener.frameReceived(decoded.payload, decoded.checksumOk, raw);
}

} // namespace durvek::clocksim
