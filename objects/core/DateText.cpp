#include "DateText.h"

#include <QDate>
#include <QRegularExpression>
#include <cmath>

namespace orvenly::date_text {

namespace {

constexpr double FirstDay = -657434.0;     // 100/01/01
constexpr double DayAfterLast = 2958466.0; // 10000/01/01
constexpr int SecondsPerDay = 86400;

QDate epoch() {
    return QDate(1899, 12, 30);
}

} // namespace

bool inRange(double days) {
    return days >= FirstDay && days < DayAfterLast;
}

QString format(Date value) {
    // The whole part counts days from the epoch, the fraction is the time of day whatever the
    // sign: -1.25 is 1899/12/29 06:00:00.
    const double whole = std::trunc(value.days);
    auto day = int64_t(whole);
    auto seconds = int64_t(std::llround(std::fabs(value.days - whole) * SecondsPerDay));
    if (seconds == SecondsPerDay) {
        seconds = 0;
        ++day;
    }
    const QTime time = QTime(0, 0).addSecs(int(seconds));
    if (day == 0)
        return time.toString(u"hh:mm:ss");
    QString date = epoch().addDays(day).toString(u"yyyy/MM/dd");
    if (seconds == 0)
        return date;
    return date + u' ' + time.toString(u"hh:mm:ss");
}

std::optional<Date> parse(const QString& text) {
    static const QRegularExpression dateForm(
        QStringLiteral(R"(^(\d{1,4})([/-])(\d{1,2})\2(\d{1,2})$)"));
    static const QRegularExpression timeForm(
        QStringLiteral(R"(^(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?$)"));
    const QStringList parts =
        text.split(QRegularExpression(QStringLiteral(R"(\s+)")), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.size() > 2)
        return std::nullopt;
    const QRegularExpressionMatch date = dateForm.match(parts.front());
    const QRegularExpressionMatch time = timeForm.match(parts.back());
    if (parts.size() == 2 ? !(date.hasMatch() && time.hasMatch())
                          : !(date.hasMatch() || time.hasMatch()))
        return std::nullopt;

    int64_t day = 0;
    if (date.hasMatch()) {
        const QDate calendar(date.captured(1).toInt(), date.captured(3).toInt(),
                             date.captured(4).toInt());
        if (!calendar.isValid() || calendar.year() < 100)
            return std::nullopt;
        day = epoch().daysTo(calendar);
    }
    double fraction = 0.0;
    if (time.hasMatch()) {
        const QTime clock(time.captured(1).toInt(), time.captured(2).toInt(),
                          time.captured(3).toInt());
        if (!clock.isValid())
            return std::nullopt;
        fraction = double(clock.msecsSinceStartOfDay()) / (1000.0 * SecondsPerDay);
    }
    return Date{day < 0 ? double(day) - fraction : double(day) + fraction};
}

} // namespace orvenly::date_text
