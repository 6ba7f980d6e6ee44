// The library's keyed text table, help topics and preview button images.
#include "report/model/trpresources.h"

#include "platform/folders.h"
#include "platform/stream.h"
#include "platform/textcodec.h"
#include "report/model/trputils.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QUrl>

#ifdef BRALVO_REPORT_WITH_SCRIPT
#include "script/scriptmessages.h"
#endif

// A static library's resources are registered by hand.
static void initPreviewButtonResources()
{
    Q_INIT_RESOURCE(previewbuttons);
}

namespace bralvo::report {

namespace {

#include "report/model/englishtexts.inc"

struct HelpEntry {
    const char *windowClass;
    const char *topic;
};

const HelpEntry kHelpTopics[] = {
    {"TrpDesignerForm", "Designer.htm"},
    {"TrpOptionsEditor", "Designer_options.htm"},
    {"TrpReportEditorForm", "Report_options.htm"},
    {"TrpPageEditorForm", "Page_options.htm"},
    {"TrpCrossEditorForm", "Cross_tab_reports.htm"},
    {"TrpChartEditorForm", "Diagrams.htm"},
    {"TrpSyntaxMemo", "Script.htm"},
    {"TrpDialogPage", "Dialogue_forms.htm"},
    {"TrpDialogComponent", "Data_access_components.htm"},
    {"TrpVarEditorForm", "Variables.htm"},
    {"TrpHighlightEditorForm", "Conditional_highlighting.htm"},
    {"TrpSysMemoEditorForm", "Inserting_aggregate_function.htm"},
    {"TrpFormatEditorForm", "Values_formatting.htm"},
    {"TrpGroupEditorForm", "Report_with_groups.htm"},
    {"TrpPictureEditorForm", "Picture_object.htm"},
    {"TrpMemoEditorForm", "Text_object.htm"},
    {"TrpSQLEditorForm", "TrpADOQuery.htm"},
};

} // namespace

QString englishResourceText()
{
    return QString::fromUtf8(kEnglishTable);
}

TrpResources::TrpResources()
{
    m_keys.setSorted(true);
    m_keys.setDuplicates(platform::StringList::Duplicates::Ignore);
    LoadEnglish();
}

void TrpResources::LoadEnglish()
{
    Clear();
    AddStrings(QString::fromUtf8(kEnglishTable));
    AddStrings(QString::fromUtf8(kEnglishSupplement));
}

QString TrpResources::Get(const QString &key) const
{
    const int i = m_keys.indexOf(key);
    QString text = i >= 0 ? m_texts[int(reinterpret_cast<quintptr>(m_keys.object(i)))] : key;
    if (text.startsWith(u'!'))
        text.remove(0, 1);
    return text;
}

void TrpResources::Add(const QString &key, const QString &text)
{
    const int i = m_keys.indexOf(key);
    if (i >= 0) {
        m_texts[int(reinterpret_cast<quintptr>(m_keys.object(i)))] = text;
        return;
    }
    m_texts.append(text);
    m_keys.add(key, reinterpret_cast<void *>(quintptr(m_texts.size() - 1)));
}

void TrpResources::AddStrings(const QString &text)
{
    platform::StringList lines;
    lines.setText(text);
    for (int i = 0; i < lines.count(); ++i) {
        const QString &line = lines[i];
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0 || eq == line.size() - 1)
            continue;
        Add(line.left(eq), line.mid(eq + 1));
    }
}

void TrpResources::Clear()
{
    m_keys.clear();
    m_texts.clear();
}

QStringList TrpResources::Keys() const
{
    QStringList keys;
    for (int i = 0; i < m_keys.count(); ++i)
        keys.append(m_keys[i]);
    return keys;
}

void TrpResources::LoadFromFile(const QString &fileName)
{
    if (!QFile::exists(fileName))
        return;
    platform::FileStream stream(fileName, platform::FileStream::Mode::Read);
    LoadFromStream(stream);
}

void TrpResources::LoadFromStream(platform::Stream &stream)
{
    const QString text = platform::decodeText(stream.readAll());
    LoadEnglish();
    AddStrings(text);
    UpdateScriptMessages();
}

void TrpResources::UpdateScriptMessages() const
{
#ifdef BRALVO_REPORT_WITH_SCRIPT
    script::replaceScriptMessages([this](const QString &key) -> std::optional<QString> {
        const int i = m_keys.indexOf(key);
        if (i < 0)
            return std::nullopt;
        return Get(key);
    });
#endif
}

QString TrpResources::HelpTopic(const QString &windowClass)
{
    QString topic;
    for (const HelpEntry &e : kHelpTopics) {
        if (windowClass.compare(QLatin1String(e.windowClass), Qt::CaseInsensitive) == 0)
            topic = QLatin1String(e.topic);
    }
    return topic;
}

QString TrpResources::HelpPath(const QString &windowClass) const
{
    const QString topic = HelpTopic(windowClass);
    return platform::programFolder() + QStringLiteral("help/")
        + (topic.isEmpty() ? QStringLiteral("index.htm") : topic);
}

void TrpResources::ShowHelp(const QString &windowClass) const
{
    const QString path = HelpPath(windowClass);
    if (QFile::exists(path))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QStringList TrpResources::Languages()
{
    QStringList out;
    const QDir dir(platform::programFolder());
    for (QString name : dir.entryList({QStringLiteral("*.frc")}, QDir::Files)) {
        name = name.toLower();
        name.replace(QStringLiteral(".frc"), QString());
        if (!name.isEmpty())
            name[0] = name[0].toUpper();
        out << name;
    }
    out.sort(Qt::CaseInsensitive);
    return out;
}

const QList<QImage> &TrpResources::GetPreviewButtonImages()
{
    if (!m_previewLoaded) {
        m_previewLoaded = true;
        initPreviewButtonResources();
        QFile res(QStringLiteral(":/report/PreviewButtons.gz"));
        if (res.open(QIODevice::ReadOnly)) {
            QString fileName;
            const QByteArray bitmap = ReadGzipResource(res.readAll(), fileName);
            m_previewImages = SplitBitmapIntoImages(QImage::fromData(bitmap), 16, 16, nullptr);
        }
    }
    return m_previewImages;
}

TrpResources &GetResources()
{
    static TrpResources resources;
    // The script engine's messages follow the library's texts from the start.
    static const bool messagesCopied = (resources.UpdateScriptMessages(), true);
    Q_UNUSED(messagesCopied);
    return resources;
}

} // namespace bralvo::report
