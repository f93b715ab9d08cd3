#include "FrameLog.h"

namespace durvek::clocksim {

bool FrameLog::open(const QString& path, QString* error)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        if (error)
            *error = m_file.errorString();
        return false;
    }
    return true;
}

QByteArray FrameLog::hex(const QByteArray& bytes)
{
    return bytes.toHex(' ').toUpper();
}

void FrameLog::write(const char* tag, const QByteArray& bytes)
{
    std::lock_guard lock(m_mutex);
    if (!m_file.isOpen())
        return;
    QByteArray line(tag);
    if (!bytes.isEmpty())
        line += ' ' + hex(bytes);
    m_file.write(line + '\n');
    m_file.flush();
}

void FrameLog::note(const QString& text)
{
    std::lock_guard lock(m_mutex);
    if (!m_file.isOpen())
        return;
    m_file.write("# " + text.toUtf8() + '\n');
    m_file.flush();
}

} // namespace durvek::clocksim
