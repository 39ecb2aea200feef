#include "SimulatedWorkstation.h"

#include <QTcpSocket>
#include <QTimer>
#include <cstdio>

SimulatedWorkstation::SimulatedWorkstation(const Setup& setup, QObject* parent)
    : QObject(parent), m_setup(setup), m_socket(new QTcpSocket(this)), m_statsTimer(new QTimer(this)),
      m_retryTimer(new QTimer(this))
{
    m_retryTimer->setSingleShot(true);
    m_retryTimer->setInterval(setup.reconnectMs);
    connect(m_retryTimer, &QTimer::timeout, this, &SimulatedWorkstation::connectNow);
    m_statsTimer->setInterval(qMax(1, setup.statsIntervalMs));
    connect(m_statsTimer, &QTimer::timeout, this, &SimulatedWorkstation::sendStats);
    connect(m_socket, &QTcpSocket::connected, this, &SimulatedWorkstation::onConnected);
    connect(m_socket, &QTcpSocket::disconnected, this, &SimulatedWorkstation::onDisconnected);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this] {
        if (m_socket->state() != QAbstractSocket::ConnectedState) {
            onDisconnected();
        }
    });
    connect(m_socket, &QTcpSocket::readyRead, this, [this] {
        m_buffer += m_socket->readAll();
        for (qsizetype nl = m_buffer.indexOf('\n'); nl >= 0; nl = m_buffer.indexOf('\n')) {
            const QString line = QString::fromUtf8(m_buffer.left(nl)).trimmed();
            m_buffer.remove(0, nl + 1);
            if (!line.isEmpty()) {
                onLine(line.split(QLatin1Char(';')));
            }
        }
    });
}

void SimulatedWorkstation::start()
{
    connectNow();
}

void SimulatedWorkstation::connectNow()
{
    m_buffer.clear();
    m_welcomed = false;
    m_socket->abort();
    m_socket->connectToHost(m_setup.host, m_setup.port);
}

void SimulatedWorkstation::onConnected()
{
    send({QStringLiteral("hello"), m_setup.name, m_setup.version, m_setup.password});
}

void SimulatedWorkstation::onLine(const QStringList& fields)
{
    const QString keyword = fields.first();
    if (keyword == QLatin1String("welcome")) {
        m_welcomed = true;
        report(QStringLiteral("connected ") + fields.mid(1).join(QLatin1Char(' ')));
        sendStats();
        if (m_setup.statsIntervalMs > 0) {
            m_statsTimer->start();
        }
        if (m_setup.editing) {
            send({QStringLiteral("editing"), QStringLiteral("1")});
        }
    } else {
        // refused, blocked, rights, editing, dostats: shown as they come.
        report(fields.join(QLatin1Char(' ')));
    }
}

void SimulatedWorkstation::onDisconnected()
{
    m_statsTimer->stop();
    if (m_welcomed) {
        report(QStringLiteral("disconnected"));
        m_welcomed = false;
    }
    if (!m_retryTimer->isActive()) {
        m_retryTimer->start();
    }
}

void SimulatedWorkstation::sendStats()
{
    if (!m_welcomed) {
        return;
    }
    send({QStringLiteral("stats"), QString::number(m_seconds), QString::number(m_money, 'f', 2)});
    m_seconds += 60;
    m_money += 0.75;
}

void SimulatedWorkstation::send(const QStringList& fields)
{
    m_socket->write(fields.join(QLatin1Char(';')).toUtf8() + '\n');
}

void SimulatedWorkstation::report(const QString& event)
{
    std::printf("%s %s\n", m_setup.name.toLocal8Bit().constData(), event.toLocal8Bit().constData());
    std::fflush(stdout);
}
