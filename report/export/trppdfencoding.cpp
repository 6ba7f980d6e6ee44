#include "report/export/trppdfencoding.h"

namespace bralvo::report {

namespace {

// Runs as text: the start code, then names; "afiiA-B" stands for the
// names afiiA to afiiB, "afiiA-B~C" the same without afiiC.
const char *const kCyrillic[] = {
    "129 afii10052 quotesinglbase afii10100 quotedblbase ellipsis dagger daggerdbl Euro perthousand "
    "afii10058 guilsinglleft afii10059 afii10061 afii10060 afii10145 afii10099 quoteleft quoteright "
    "quotedblleft quotedblright bullet endash emdash space trademark afii10106 guilsinglright afii10107 "
    "afii10109 afii10108 afii10193 space afii10062 afii10110 afii10057 currency afii10050 brokenbar "
    "section afii10023 copyright afii10053 guillemotleft logicalnot hyphen registered afii10056 degree "
    "plusminus afii10055 afii10103 afii10098 mu paragraph periodcentered afii10071 afii61352 afii10101 "
    "guillemotright afii10105 afii10054 afii10102 afii10104 afii10017-10049~10023 "
    "afii10065-10097~10071 space",
};

const char *const kCentralEuropean[] = {
    "128 Euro", "140 Sacute Tcaron Zcaron Zacute", "156 sacute tcaron zcaron zacute",
    "161 caron breve Lslash", "165 Aogonek", "170 Scedilla", "175 Zdotaccent", "178 ogonek lslash",
    "185 aogonek scedilla", "188 Lcaron hungarumlaut lcaron zdotaccent Racute", "195 Abreve",
    "197 Lacute Cacute", "200 Ccaron", "202 Eogonek", "204 Ecaron", "207 Dcaron Dslash",
    "209 Nacute Ncaron Oacute", "213 Ohungarumlaut", "216 Rcaron Uring", "219 Uhungarumlaut",
    "222 Tcedilla", "224 racute", "227 abreve", "229 lacute cacute ccedilla ccaron", "234 eogonek",
    "236 ecaron", "239 dcaron dmacron nacute ncaron", "245 ohungarumlaut", "248 rcaron uring",
    "251 uhungarumlaut", "254 tcedilla dotaccent",
};

const char *const kGreek[] = {
    "128 Euro", "160 quoteleft quoteright", "175 afii00208", "180 tonos dieresistonos Alphatonos",
    "184 Epsilontonos Etatonos Iotatonos", "188 Omicrontonos",
    "190 Upsilontonos Omegatonos iotadieresistonos Alpha Beta Gamma Delta Epsilon Zeta Eta Theta Iota "
    "Kappa Lambda Mu Nu Xi Omicron Pi Rho",
    "211 Sigma Tau Upsilon Phi Chi Psi Omega Iotadieresis Upsilondieresis alphatonos epsilontonos "
    "etatonos iotatonos upsilondieresistonos alpha beta gamma delta epsilon zeta eta theta iota kappa "
    "lambda mu nu xi omicron pi rho sigma1 sigma tau upsilon phi chi psi omega iotadieresis "
    "upsilondieresis omicrontonos upsilontonos omegatonos",
};

const char *const kTurkish[] = {
    "128 Euro",
    "130 quotesinglbase florin quotedblbase ellipsis dagger daggerdbl circumflex perthousand Scaron "
    "guilsinglleft OE",
    "145 quoteleft quoteright quotedblleft quotedblright bullet endash emdash tilde trademark scaron "
    "guilsinglright oe",
    "159 Ydieresis", "208 Gbreve", "221 Idotaccent Scedilla", "240 gbreve", "253 dotlessi scedilla",
};

const char *const kHebrew[] = {
    "128 Euro",
    "130 quotesinglbase florin quotedblbase ellipsis dagger daggerdbl circumflex perthousand",
    "139 guilsinglleft",
    "145 quoteleft quoteright quotedblleft quotedblright bullet endash emdash tilde trademark",
    "155 perthousand", "164 afii57636", "170 multiply", "186 divide",
    "192 afii57799 afii57801 afii57800 afii57802 afii57793 afii57794 afii57795 afii57798 afii57797 "
    "afii57806",
    "203 afii57796 afii57807 afii57839 afii57645 afii57841 afii57842 afii57804 afii57803 afii57658 "
    "afii57716 afii57717 afii57718",
    "224 afii57664-57690", "253 afii299 afii300",
};

const char *const kArabic[] = {
    "128 Euro afii57506 quotesinglbase florin quotedblbase ellipsis dagger daggerdbl circumflex "
    "perthousand afii57511 guilsinglleft OE afii57507 afii57508",
    "144 afii57509 quoteleft quoteright quotedblleft quotedblright bullet endash emdash",
    "153 trademark afii57513 guilsinglright oe afii61664 afii301 afii57514",
    "161 afii57388", "186 afii57403", "191 afii57407", "193 afii57409-57430",
    "216 afii57431 afii57432 afii57433 afii57434 afii57440 afii57441 afii57442 afii57443 afii57444",
    "227 afii57445 afii57446 afii57470 afii57448 afii57449 afii57450", "240 afii57451-57456",
    "248 afii57457", "250 afii57458", "253 afii299 afii300 afii57519",
};

const char *const kBaltic[] = {
    "128 Euro space quotesinglbase space quotedblbase ellipsis dagger daggerdbl space perthousand space "
    "guilsinglleft space dieresis caron cedilla space quoteleft quoteright quotedblleft quotedblright "
    "bullet endash emdash space trademark space guilsinglright space macron ogonek space",
    "170 Rcommaaccent", "175 AE", "184 oslash", "186 rcommaaccent", "191 ae Aogonek Iogonek Amacron Cacute",
    "198 Eogonek Emacron Ccaron",
    "202 Zacute Edotaccent Gcommaaccent Kcommaaccent Imacron Lcommaaccent Scaron Nacute Ncommaaccent "
    "Oacute Omacron",
    "216 Uogonek Lslash Sacute Umacron", "221 Zdotaccent Zcaron", "224 aogonek iogonek amacron cacute",
    "230 eogonek emacron ccaron",
    "234 zacute edotaccent gcommaaccent kcommaaccent imacron lcommaaccent scaron nacute ncommaaccent",
    "244 omacron", "248 uogonek lslash sacute umacron", "253 zdotaccent zcaron dotaccent",
};

const char *const kVietnamese[] = {"128 Euro", "142 Zcaron", "158 zcaron"};

// "afii10017-10049~10023" -> the names it stands for.
QStringList expandName(const QString &token)
{
    const int dash = token.indexOf(u'-');
    if (!token.startsWith(QLatin1String("afii")) || dash < 0)
        return {token};
    const int tilde = token.indexOf(u'~');
    const int from = token.mid(4, dash - 4).toInt();
    const int to = token.mid(dash + 1, tilde < 0 ? -1 : tilde - dash - 1).toInt();
    const int skip = tilde < 0 ? -1 : token.mid(tilde + 1).toInt();
    QStringList names;
    for (int n = from; n <= to; ++n) {
        if (n != skip)
            names.append(QStringLiteral("afii%1").arg(n, 5, 10, QChar(u'0')));
    }
    return names;
}

template <size_t N>
QStringList runs(const char *const (&table)[N])
{
    QStringList out;
    for (const char *run : table) {
        const QStringList tokens = QString::fromLatin1(run).split(u' ');
        QString line = tokens.first();
        for (int i = 1; i < tokens.size(); ++i) {
            for (const QString &name : expandName(tokens[i]))
                line += QStringLiteral(" /") + name;
        }
        out.append(line);
    }
    return out;
}

} // namespace

QStringList PdfDifferences(int charset)
{
    switch (charset) {
    case 161: return runs(kGreek);
    case 162: return runs(kTurkish);
    case 163: return runs(kVietnamese);
    case 177: return runs(kHebrew);
    case 178: return runs(kArabic);
    case 186: return runs(kBaltic);
    case 204: return runs(kCyrillic);
    case 238: return runs(kCentralEuropean);
    default: return {};
    }
}

} // namespace bralvo::report
