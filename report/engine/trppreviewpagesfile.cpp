// The prepared report file: the store's document with the report's
// preview settings, the source pages, the dictionary and the picture
// cache added for saving.
#include "report/engine/trppreviewpages.h"

#include "platform/error.h"
#include "platform/savetarget.h"
#include "platform/stream.h"
#include "report/engine/trpoutline.h"
#include "report/model/trpdotmatrix.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trpserializer.h"

#include <QFile>
#include <QSaveFile>

namespace bralvo::report {

namespace {

// Writes straight into a QSaveFile, so a failed save leaves the old file.
class SaveFileStream : public platform::Stream {
public:
    explicit SaveFileStream(QSaveFile &file) : m_file(file) {}
    qint64 read(char *, qint64) override { return 0; }
    void write(const char *data, qint64 count) override
    {
        if (m_file.write(data, count) != count)
            throw platform::StreamError(QStringLiteral("Stream write error"));
    }
    qint64 position() const override { return m_file.pos(); }
    void seek(qint64 position) override { m_file.seek(position); }
    qint64 size() const override { return m_file.size(); }
    void setSize(qint64) override {}

private:
    QSaveFile &m_file;
};

QString boolText(bool v)
{
    return v ? QStringLiteral("1") : QStringLiteral("0");
}

// What a load builds before it replaces the store's content.
struct LoadedStore {
    std::unique_ptr<TrpXMLDocument> document;
    std::vector<std::unique_ptr<TrpReportPage>> sourcePages;
    TrpDictionary dictionary;
    TrpPictureCache pictures;
    QStringList errors;
};

void readSourcePages(LoadedStore &loaded, TrpXMLItem &element)
{
    for (int i = 0; i < element.Count(); ++i) {
        TrpXMLItem *child = element.Items(i);
        std::unique_ptr<TrpReportPage> page;
        if (child->Name.compare(QStringLiteral("TrpDMPPage"), Qt::CaseInsensitive) == 0)
            page = std::make_unique<TrpDMPPage>(nullptr);
        else
            page = std::make_unique<TrpReportPage>(nullptr);
        TrpXMLSerializer serializer(nullptr);
        serializer.SetOwner(page.get());
        serializer.ReadComponentTree(page.get(), child);
        for (int e = 0; e < serializer.ErrorTexts().count(); ++e)
            loaded.errors.append(serializer.ErrorTexts()[e]);
        for (TrpComponent *obj : page->AllObjects())
            obj->SetBaseName(serializer.WriteComponentText(obj));
        loaded.sourcePages.push_back(std::move(page));
    }
    element.Clear();
}

// An entry whose object the source page lacks keeps a null object; the
// pages then rebuild without that object.
void readDictionary(LoadedStore &loaded, const TrpXMLItem &element)
{
    for (int i = 0; i < element.Count(); ++i) {
        const TrpXMLItem *child = element.Items(i);
        const QString sourceName = child->Prop(QStringLiteral("name"));
        const qsizetype dot = sourceName.indexOf(u'.');
        TrpComponent *object = nullptr;
        if (dot >= 0) {
            bool ok = false;
            const int index = sourceName.left(dot).mid(4).toInt(&ok);
            const QString objectName = sourceName.mid(dot + 1, 255);
            if (ok && index >= 0 && index < int(loaded.sourcePages.size()))
                object = loaded.sourcePages[size_t(index)]->FindObject(objectName);
        }
        loaded.dictionary.Add(child->Name, sourceName, object);
    }
}

} // namespace

void TrpPreviewPages::SaveToStream(platform::Stream &stream)
{
    TrpXMLItem *report = rootChild(QStringLiteral("report"));
    report->Clear();
    if (TrpReport *r = Report()) {
        TrpXMLItem *item = report->Add();
        item->Name = r->className();
        item->Text = QStringLiteral("DotMatrixReport=\"%1\" PreviewOptions.OutlineVisible=\"%2\" "
                                    "PreviewOptions.OutlineWidth=\"%3\" ReportOptions.Name=\"%4\"")
                         .arg(boolText(r->DotMatrixReport()), boolText(r->PreviewOptions()->OutlineVisible()),
                              QString::number(r->PreviewOptions()->OutlineWidth()),
                              StrToXML(r->ReportOptions()->Name()));
    }
    TrpXMLItem *sources = rootChild(QStringLiteral("sourcepages"));
    sources->Clear();
    for (auto &page : m_sourcePages) {
        TrpXMLSerializer serializer(nullptr);
        serializer.WriteComponentTree(page.get(), true, sources->Add());
    }
    TrpXMLItem *dictionary = rootChild(QStringLiteral("dictionary"));
    dictionary->Clear();
    for (const QString &alias : m_dictionary.Names()) {
        TrpXMLItem *item = dictionary->Add();
        item->Name = alias;
        item->Text = QStringLiteral("name=\"") + m_dictionary.GetSourceName(alias) + u'"';
    }
    m_pictureCache.SaveToXML(*rootChild(QStringLiteral("picturecache")));
    m_document->SaveToStream(stream);
    // The source pages live as objects only.
    sources->Clear();
}

void TrpPreviewPages::LoadFromStream(platform::Stream &stream, bool allowPartialLoading)
{
    LoadedStore loaded;
    loaded.document = std::make_unique<TrpXMLDocument>();
    loaded.document->TempDir = m_document->TempDir;
    loaded.document->LoadFromStream(stream, allowPartialLoading);
    TrpXMLItem *root = loaded.document->Root();
    if (loaded.document->TruncatedRead() || root->Name.compare(QStringLiteral("preparedreport"), Qt::CaseInsensitive) != 0)
        throw TrpInvalidXMLException();
    root->Name = QStringLiteral("preparedreport");
    readSourcePages(loaded, *root->FindItem(QStringLiteral("sourcepages")));
    readDictionary(loaded, *root->FindItem(QStringLiteral("dictionary")));
    loaded.pictures.LoadFromXML(*root->FindItem(QStringLiteral("picturecache")));

    Clear();
    m_document = std::move(loaded.document);
    m_sourcePages = std::move(loaded.sourcePages);
    m_dictionary = loaded.dictionary;
    m_pictureCache = loaded.pictures;
    m_allowPartialLoading = allowPartialLoading;
    m_partiallyLoaded = allowPartialLoading;
    root = m_document->Root();
    TrpXMLItem *report = root->FindItem(QStringLiteral("report"));
    if (Report()) {
        if (report->Count() > 0) {
            TrpXMLSerializer serializer(nullptr);
            serializer.TextToObject(report->Items(0)->Text, Report());
        }
        for (const QString &e : loaded.errors)
            Report()->ErrorList().add(e);
    }
    PagesElement();
    SetWritePage(-1);
}

bool TrpPreviewPages::LoadFromFile(const QString &fileName, bool exceptionIfNotFound)
{
    const bool exists = QFile::exists(fileName);
    if (!exists && !exceptionIfNotFound)
        return false;
    platform::FileStream file(fileName, platform::FileStream::Mode::Read);
    LoadFromStream(file, false);
    return exists;
}

void TrpPreviewPages::SaveToFile(const QString &fileName)
{
    platform::checkSaveTarget(fileName);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw platform::StreamError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    SaveFileStream stream(file);
    SaveToStream(stream);
    if (!file.commit())
        throw platform::StreamError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
}

} // namespace bralvo::report
