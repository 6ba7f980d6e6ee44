// The font value of the class library: name, size in points, style bits,
// colour and character set (kept only for files; family names resolve
// through fontconfig when text is drawn). A change handler fires after
// every change, so owners can pass fonts down their trees.
#pragma once

#include "platform/persistent.h"

#include <QString>
#include <functional>
#include <memory>

namespace bralvo::platform {

// Style bits as files write them.
enum FontStyle : int { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
inline constexpr int kDefaultCharset = 1;

class Font : public Persistent {
    BRALVO_CLASS(Font)
public:
    Font();

    QString name() const { return m_name; }
    void setName(const QString &name);
    int size() const { return m_size; }          // points
    void setSize(int points);
    // Pixel height at pixelsPerInch, negative as files hold it:
    // -round(size x ppi / 72).
    int height() const;
    void setHeight(int height);
    int pixelsPerInch() const { return m_pixelsPerInch; }
    void setPixelsPerInch(int ppi) { m_pixelsPerInch = ppi > 0 ? ppi : 96; }
    int style() const { return m_style; }        // FontStyle bits
    void setStyle(int style);
    int color() const { return m_color; }        // 0x00BBGGRR
    void setColor(int color);
    int charset() const { return m_charset; }
    void setCharset(int charset);

    // Called after every change (assignment counts as one change).
    void setOnChange(std::function<void()> handler) { m_onChange = std::move(handler); }

    // Copies name, size, style, colour and charset from another Font.
    void assign(const Persistent &source) override;
    bool sameAs(const Font &other) const;

private:
    void changed();

    QString m_name = QStringLiteral("Arial");
    int m_size = 10;
    int m_pixelsPerInch = 96;
    int m_style = 0;
    int m_color = 0;
    int m_charset = kDefaultCharset;
    std::function<void()> m_onChange;
    bool m_inAssign = false;
};

const EnumInfo &fontStyleEnum();

} // namespace bralvo::platform
