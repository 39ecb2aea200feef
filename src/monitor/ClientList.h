#pragma once

#include "ClientRec.h"

#include <QHash>
#include <QString>
#include <vector>

// The records in order of first appearance, with an index by computer name
// (ASCII letters folded) and running totals of saved time and money, so that
// neither a lookup nor a total walks the list.
class ClientList
{
public:
    // A name compared and hashed with ASCII letters folded, without a folded copy.
    struct NameKey
    {
        explicit NameKey(const QString& comp);
        QString name;
        size_t hash; // of the folded name, so that probing compares numbers first
        friend bool operator==(const NameKey& a, const NameKey& b);
        friend size_t qHash(const NameKey& key, size_t seed);
    };

    int size() const { return int(m_recs.size()); }
    bool isEmpty() const { return m_recs.empty(); }
    const ClientRec& at(int index) const { return m_recs[size_t(index)]; }

    // The record whose name equals comp ignoring ASCII case; -1 if none.
    int indexOfName(const QString& comp) const;
    // The record whose name equals comp exactly; -1 if none.
    int indexOfExactName(const QString& comp) const;

    // Appends a record; the caller has made sure no record has its name.
    int append(ClientRec rec);
    // Replaces a record's fields; the name keeps the text first received.
    void update(int index, const ClientRec& rec);
    void setConnected(int index, bool connected);
    void setBlocked(int index, bool blocked);
    void setRights(int index, bool canWrite, bool canConfig);
    void setStats(int index, const QString& seconds, const QString& money);
    void clear();

    // Sum of all TimeSaved values in seconds (texts that are not integers add 0).
    qint64 totalSeconds() const { return m_totalSeconds; }
    // Sum of all MoneySaved values (texts that do not read add nothing).
    long double totalMoney() const;

    // The Ver text of the oldest client; empty when none reads.
    QString lowestVersion() const;

private:
    struct Values
    {
        qint64 seconds = 0;
        double money = 0;
    };
    Values valuesOf(const ClientRec& rec) const;
    void replaceValues(int index, const ClientRec& rec);
    void resumMoney() const;

    std::vector<ClientRec> m_recs;
    std::vector<Values> m_values;
    QHash<NameKey, int> m_byName;
    qint64 m_totalSeconds = 0;
    mutable long double m_totalMoney = 0;
    int m_nonZeroMoney = 0;
    // Subtracting old amounts lets rounding creep in; a full re-sum after as
    // many changes as there are records keeps it bounded at O(1) per change.
    mutable int m_changesSinceResum = 0;
};
