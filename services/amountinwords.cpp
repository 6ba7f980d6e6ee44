// Slovak number words for amounts on receipts.
#include "services/amountinwords.h"

#include <cmath>

namespace bralvo::services {
namespace {

// The words for 5..19, indexed by the number.
const char *const UnitsWords[20] = {
    "", "", "", "", "", "päť", "šesť", "sedem", "osem", "deväť", "desať",
    "jedenásť", "dvanásť", "trinásť", "štrnásť", "pätnásť", "šestnásť",
    "sedemnásť", "osemnásť", "devätnásť"};

// The words for 20..90, indexed by the tens digit.
const char *const TensWords[10] = {
    "", "", "dvadsať", "tridsať", "štyridsať", "päťdesiat", "šesťdesiat",
    "sedemdesiat", "osemdesiat", "deväťdesiat"};

// 1..4 differ from the base word at every position.
const char *const SmallWords[3][5] = {
    {"", "jeden", "dva", "tri", "štyri"},
    {"", "jednosto", "dvesto", "tristo", "štyristo"},
    {"", "jedentisíc", "dvetisíc", "tritisíc", "štyritisíc"}};

QString word(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QString millionsWord(int m)
{
    if (m == 1)
        return QStringLiteral("milión");
    if (m >= 2 && m <= 4)
        return QStringLiteral("milióny");
    return QStringLiteral("miliónov");
}

} // namespace

QString DigitWord(int position, int v)
{
    int row = 0;
    QString suffix;
    if (position == 100) {
        row = 1;
        suffix = QStringLiteral("sto");
    } else if (position == 1000) {
        row = 2;
        suffix = QStringLiteral("tisíc");
    } else if (position != 1) {
        return QString();
    }
    if (v >= 1 && v <= 4)
        return word(SmallWords[row][v]);
    if (v >= 5 && v <= 19)
        return word(UnitsWords[v]) + suffix;
    return QString();
}

QString ThousandsInWords(int n)
{
    if (n < 0 || n > 99999)
        return QString();
    QString text;
    int r = n;
    const int c = n / 10000;
    if (c >= 2) {  // 10000..19999 stay whole: read as 10..19 thousand below
        text += word(TensWords[c]);
        r = n % 10000;
    }
    const int t = r / 1000;
    if (t > 0) {
        r %= 1000;
        text += DigitWord(1000, t);
    } else if (c > 0) {
        text += QStringLiteral("tisíc");
    }
    const int h = r / 100;
    if (h > 0) {
        r %= 100;
        text += DigitWord(100, h);
    }
    const int d = r / 10;
    if (d > 1) {  // 10..19 have words of their own
        r %= 10;
        text += word(TensWords[d]);
    }
    if (r > 0)
        text += DigitWord(1, r);
    return text;
}

QString AmountInWords(double amount)
{
    const double whole = std::floor(amount);
    if (!(whole >= 1.0 && whole <= 999999999.0))  // NaN fails too
        return QString();
    const int a = static_cast<int>(whole);
    if (a <= 99999)
        return ThousandsInWords(a);
    if (a <= 999999)
        return ThousandsInWords(a / 1000) + QStringLiteral("tisíc")
               + ThousandsInWords(a % 1000);
    const int m = a / 1000000;
    QString text = ThousandsInWords(m) + millionsWord(m);
    const int thousands = (a % 1000000) / 1000;
    if (thousands > 0)
        text += ThousandsInWords(thousands) + QStringLiteral("tisíc");
    return text + ThousandsInWords(a % 1000);
}

} // namespace bralvo::services
