#include "ClientList.h"

#include "ClientParsing.h"
#include "link/VersionNumber.h"

namespace {

char16_t foldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

} // namespace

ClientList::NameKey::NameKey(const QString& comp) : name(comp)
{
    // FNV-1a over the folded code units.
    size_t h = 1469598103934665603ULL;
    const auto* p = reinterpret_cast<const char16_t*>(name.constData());
    for (qsizetype i = 0; i < name.size(); ++i) {
        h ^= foldAscii(p[i]);
        h *= 1099511628211ULL;
    }
    hash = h;
}

bool operator==(const ClientList::NameKey& a, const ClientList::NameKey& b)
{
    if (a.hash != b.hash || a.name.size() != b.name.size())
        return false;
    const char16_t* x = reinterpret_cast<const char16_t*>(a.name.constData());
    const char16_t* y = reinterpret_cast<const char16_t*>(b.name.constData());
    for (qsizetype i = 0; i < a.name.size(); ++i) {
        if (foldAscii(x[i]) != foldAscii(y[i]))
            return false;
    }
    return true;
}

size_t qHash(const ClientList::NameKey& key, size_t seed)
{
    return key.hash ^ seed;
}

int ClientList::indexOfName(const QString& comp) const
{
    return m_byName.value(NameKey(comp), -1);
}

int ClientList::indexOfExactName(const QString& comp) const
{
    const int index = indexOfName(comp);
    return index >= 0 && at(index).Comp == comp ? index : -1;
}

ClientList::Values ClientList::valuesOf(const ClientRec& rec) const
{
    Values v;
    v.seconds = ClientParsing::intOr(rec.TimeSaved, 0);
    v.money = ClientParsing::moneyValue(rec.MoneySaved).value_or(0.0);
    return v;
}

int ClientList::append(ClientRec rec)
{
    const int index = size();
    m_byName.insert(NameKey(rec.Comp), index);
    m_recs.push_back(std::move(rec));
    m_values.push_back(Values{});
    replaceValues(index, m_recs.back());
    return index;
}

void ClientList::replaceValues(int index, const ClientRec& rec)
{
    Values& old = m_values[size_t(index)];
    const Values now = valuesOf(rec);
    m_totalSeconds += now.seconds - old.seconds;
    if (old.money != now.money) {
        m_nonZeroMoney += (now.money != 0) - (old.money != 0);
        m_totalMoney += static_cast<long double>(now.money) - static_cast<long double>(old.money);
        ++m_changesSinceResum;
        if (m_nonZeroMoney == 0) {
            m_totalMoney = 0;
            m_changesSinceResum = 0;
        }
    }
    old = now;
}

void ClientList::update(int index, const ClientRec& rec)
{
    ClientRec& r = m_recs[size_t(index)];
    const QString comp = r.Comp;
    r = rec;
    r.Comp = comp;
    replaceValues(index, r);
}

void ClientList::setConnected(int index, bool connected)
{
    m_recs[size_t(index)].Connected = connected;
}

void ClientList::setBlocked(int index, bool blocked)
{
    m_recs[size_t(index)].Blocked = blocked;
}

void ClientList::setRights(int index, bool canWrite, bool canConfig)
{
    ClientRec& r = m_recs[size_t(index)];
    r.CanWrite = canWrite;
    r.CanConfig = canConfig;
}

void ClientList::setStats(int index, const QString& seconds, const QString& money)
{
    ClientRec& r = m_recs[size_t(index)];
    r.TimeSaved = seconds;
    r.MoneySaved = money;
    replaceValues(index, r);
}

void ClientList::clear()
{
    m_recs.clear();
    m_values.clear();
    m_byName.clear();
    m_totalSeconds = 0;
    m_totalMoney = 0;
    m_nonZeroMoney = 0;
    m_changesSinceResum = 0;
}

void ClientList::resumMoney() const
{
    long double sum = 0;
    for (const Values& v : m_values)
        sum += v.money;
    m_totalMoney = sum;
    m_changesSinceResum = 0;
}

long double ClientList::totalMoney() const
{
    if (m_nonZeroMoney == 0)
        return 0;
    if (m_changesSinceResum > size())
        resumMoney();
    return m_totalMoney;
}

QString ClientList::lowestVersion() const
{
    constexpr qint64 unreadable = 999999999;
    qint64 lowest = unreadable;
    int best = -1;
    for (int i = 0; i < size(); ++i) {
        qint64 v = VersionToInt(at(i).Ver);
        if (v == 0)
            v = unreadable;
        if (best < 0 || v < lowest) {
            lowest = v;
            best = i;
        }
    }
    return best >= 0 && lowest != unreadable ? at(best).Ver : QString();
}
