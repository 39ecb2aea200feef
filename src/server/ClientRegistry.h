#pragma once

#include <QList>
#include <QString>

// What the server knows of one workstation. Names are compared without
// regard to ASCII case; the first spelling received is kept.
struct Workstation
{
    QString comp;
    QString ip;
    QString ver;
    bool canWrite = true;
    bool canConfig = true;
    qint64 timeSaved = 0;
    double moneySaved = 0;
    bool connected = false;
    bool blocked = false;

    // "IP;W;C;Comp;Ver;TimeSaved;Money;Connected;Blocked;"
    QString claddArgument() const;
    QString moneyText() const;
};

// Every workstation the server has seen, kept in clients.json beside the
// settings so that rights and blocks survive a restart.
class ClientRegistry
{
public:
    explicit ClientRegistry(const QString& path);

    // Reads the file; on a file that does not read it is moved aside and the
    // list starts empty (error says so).
    void load(QString* error);
    bool save(QString* error) const;

    Workstation* find(const QString& comp);
    Workstation& add(const QString& comp, bool defWrite, bool defConfig);
    const QList<Workstation>& all() const { return m_list; }
    int connectedCount() const;

    // A name fit for the protocols: not empty, at most 64 characters, no
    // ";" and no control characters (either would break the list lines).
    static bool validName(const QString& comp);

private:
    QString m_path;
    QList<Workstation> m_list;
};
