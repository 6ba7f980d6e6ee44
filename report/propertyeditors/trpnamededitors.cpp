// Editors of named integers, fonts, dates and times.
#include "report/propertyeditors/trptypeeditors.h"

#include "platform/daycount.h"
#include "platform/font.h"
#include "platform/formatdatetime.h"
#include "platform/parsedatetime.h"
#include "platform/persistent.h"
#include "platform/regionalsettings.h"
#include "report/propertyeditors/trpvaluenames.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QPainter>

namespace bralvo::report {

namespace {

QColor fromBgr(qint64 v)
{
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

qint64 namedOrNumber(const QList<NamedValue> &table, const QString &text)
{
    if (const auto v = ValueOf(table, text.trimmed()))
        return *v;
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok)
        throw platform::ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return n;
}

} // namespace

QString TrpColorProperty::GetValue() const
{
    return ColorToText(ordValue());
}

void TrpColorProperty::GetValues()
{
    TrpPropertyEditor::GetValues();
    for (const NamedValue &v : ColorNames())
        addValue(QString::fromLatin1(v.name));
}

void TrpColorProperty::SetValue(const QString &text)
{
    const auto v = TextToColor(text);
    if (!v)
        throw platform::ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    setOrdValue(*v);
}

bool TrpColorProperty::Edit()
{
    const QColor chosen = QColorDialog::getColor(fromBgr(ordValue()));
    if (!chosen.isValid())
        return false;
    setOrdValue(qint64(chosen.red()) | (qint64(chosen.green()) << 8) | (qint64(chosen.blue()) << 16));
    return true;
}

void TrpColorProperty::DrawListItem(QPainter &painter, int index, const QRect &rect)
{
    TrpPropertyEditor::DrawListItem(painter, index, rect);
    const auto v = TextToColor(Values().value(index));
    painter.fillRect(QRect(QPoint(rect.left() + 2, rect.top() + 2),
                           QPoint(rect.left() + rect.height() - 2, rect.bottom() - 2)),
                     fromBgr(v.value_or(0)));
}

void TrpColorProperty::DrawValue(QPainter &painter, const QRect &rect)
{
    TrpPropertyEditor::DrawValue(painter, rect);
    painter.fillRect(QRect(QPoint(rect.left(), rect.top() + 1),
                           QPoint(rect.left() + rect.height() - 5, rect.bottom() - 4)),
                     fromBgr(ordValue()));
}

bool TrpFontProperty::Edit()
{
    auto *font = dynamic_cast<platform::Font *>(firstProp()->getObject(*firstObject()));
    if (!font)
        return false;
    QFont current(font->name(), font->size());
    current.setBold(font->style() & platform::fsBold);
    current.setItalic(font->style() & platform::fsItalic);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, current);
    if (!ok)
        return false;
    platform::Font result;
    result.assign(*font);
    result.setName(chosen.family());
    result.setSize(chosen.pointSize());
    result.setStyle((chosen.bold() ? platform::fsBold : 0) | (chosen.italic() ? platform::fsItalic : 0)
                    | (chosen.underline() ? platform::fsUnderline : 0)
                    | (chosen.strikeOut() ? platform::fsStrikeOut : 0));
    firstProp()->setObject(*firstObject(), &result);
    return true;
}

void TrpFontNameProperty::GetValues()
{
    TrpPropertyEditor::GetValues();
    for (const QString &family : QFontDatabase::families())
        addValue(family);
}

QString TrpFontCharsetProperty::GetValue() const
{
    return NameOf(CharsetNames(), ordValue()).value_or(QString::number(ordValue()));
}

void TrpFontCharsetProperty::GetValues()
{
    TrpPropertyEditor::GetValues();
    for (const NamedValue &v : CharsetNames())
        addValue(QString::fromLatin1(v.name));
}

void TrpFontCharsetProperty::SetValue(const QString &text)
{
    setOrdValue(namedOrNumber(CharsetNames(), text));
}

QString TrpModalResultProperty::GetValue() const
{
    const qint64 v = ordValue();
    return v >= 0 && v < ModalResultNames().size() ? ModalResultNames().at(int(v)) : QString::number(v);
}

void TrpModalResultProperty::GetValues()
{
    TrpPropertyEditor::GetValues();
    for (const QString &n : ModalResultNames())
        addValue(n);
}

void TrpModalResultProperty::SetValue(const QString &text)
{
    const QString t = text.trimmed().isEmpty() ? QStringLiteral("0") : text.trimmed();
    for (int i = 0; i < ModalResultNames().size(); ++i)
        if (ModalResultNames().at(i).compare(t, Qt::CaseInsensitive) == 0)
            return setOrdValue(i);
    TrpIntegerProperty::SetValue(t);
}

QString TrpShortCutProperty::GetValue() const
{
    const qint64 v = ordValue();
    return v == 0 ? QStringLiteral("(None)") : ShortCutToText(int(v));
}

void TrpShortCutProperty::GetValues()
{
    TrpPropertyEditor::GetValues();
    addValue(QStringLiteral("(None)"));
    for (int sc : StandardShortCuts())
        addValue(ShortCutToText(sc));
}

void TrpShortCutProperty::SetValue(const QString &text)
{
    const QString t = text.trimmed();
    setOrdValue(t.isEmpty() || t.compare(QLatin1String("(None)"), Qt::CaseInsensitive) == 0 ? 0
                                                                                            : TextToShortCut(t));
}

QString TrpCursorProperty::GetValue() const
{
    return NameOf(CursorNames(), ordValue()).value_or(QString::number(ordValue()));
}

void TrpCursorProperty::GetValues()
{
    TrpPropertyEditor::GetValues();
    for (const NamedValue &v : CursorNames())
        addValue(QString::fromLatin1(v.name));
}

void TrpCursorProperty::SetValue(const QString &text)
{
    setOrdValue(namedOrNumber(CursorNames(), text));
}

QString TrpDateTimeProperty::GetValue() const
{
    const double v = floatValue();
    return v == 0 ? QString()
                  : platform::DateTimeToStr(platform::dateTimeFromDayCount(v), platform::regionalSettings());
}

void TrpDateTimeProperty::SetValue(const QString &text)
{
    setFloatValue(text.trimmed().isEmpty()
                      ? 0
                      : platform::dayCountFromDateTime(
                            platform::StrToDateTime(text.trimmed(), platform::regionalSettings())));
}

QString TrpDateProperty::GetValue() const
{
    const double v = floatValue();
    return v == 0 ? QString()
                  : platform::DateToStr(platform::dateTimeFromDayCount(v).date(), platform::regionalSettings());
}

void TrpDateProperty::SetValue(const QString &text)
{
    setFloatValue(text.trimmed().isEmpty()
                      ? 0
                      : platform::dayCountFromDate(platform::StrToDate(text.trimmed(), platform::regionalSettings())));
}

QString TrpTimeProperty::GetValue() const
{
    const double v = floatValue();
    return v == 0 ? QString()
                  : platform::TimeToStr(platform::dateTimeFromDayCount(v).time(), platform::regionalSettings());
}

void TrpTimeProperty::SetValue(const QString &text)
{
    if (text.trimmed().isEmpty())
        return setFloatValue(0);
    const QTime t = platform::StrToTime(text.trimmed(), platform::regionalSettings());
    setFloatValue(t.msecsSinceStartOfDay() / 86400000.0);
}

} // namespace bralvo::report
