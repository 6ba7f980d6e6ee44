// Qt's colour, font and printer dialogs behind the common-dialog seam.
#include "services/qtcommondialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace bralvo::services {

namespace {

QColor qtColor(int color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

int scriptColor(const QColor &c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

} // namespace

std::optional<int> QtCommonDialogs::chooseColor(int initial)
{
    const QColor chosen = QColorDialog::getColor(qtColor(initial), QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return scriptColor(chosen);
}

std::optional<platform::FontChoice> QtCommonDialogs::chooseFont(const platform::FontChoice &initial)
{
    QFont font(initial.name, std::max(initial.size, 1));
    font.setBold(initial.style & 1);
    font.setItalic(initial.style & 2);
    font.setUnderline(initial.style & 4);
    font.setStrikeOut(initial.style & 8);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, QApplication::activeWindow());
    if (!ok)
        return std::nullopt;
    platform::FontChoice out{chosen.family(), chosen.pointSize(), 0, initial.color};
    out.style = (chosen.bold() ? 1 : 0) | (chosen.italic() ? 2 : 0) | (chosen.underline() ? 4 : 0)
                | (chosen.strikeOut() ? 8 : 0);
    return out;
}

bool QtCommonDialogs::choosePrinter(bool setupOnly)
{
    QPrinter printer;
    if (setupOnly)
        return QPageSetupDialog(&printer, QApplication::activeWindow()).exec() == QDialog::Accepted;
    return QPrintDialog(&printer, QApplication::activeWindow()).exec() == QDialog::Accepted;
}

} // namespace bralvo::services
