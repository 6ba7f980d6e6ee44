// The PDF export filter and its texts.
#include "report/export/trppdfexport.h"

#include "platform/classregistry.h"
#include "platform/messageboxseam.h"
#include "platform/savetarget.h"
#include "platform/stream.h"
#include "report/export/trppdfexportdialog.h"
#include "report/export/trppdffile.h"
#include "report/model/reporterror.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/trputils.h"
#include "report/model/trpview.h"
#include "services/shellopen.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QSaveFile>

namespace bralvo::report {

namespace {

const char kPdfTexts[] = "======== TrpPDFExportDialog ========\r\n"
                         "8700=Export to PDF\r\n"
                         "8701=Compressed\r\n"
                         "8702=Embedded fonts\r\n"
                         "8703=Print optimized\r\n"
                         "8704=Outline\r\n"
                         "8705=Background\r\n"
                         "8706=Open after export\r\n"
                         "8707=Adobe PDF file (*.pdf)|*.pdf\r\n"
                         "8708=.pdf\r\n"
                         "PDFexport=PDF file\r\n";

TrpPDFExport::Opener &opener()
{
    static TrpPDFExport::Opener o = [](const QString &fileName) { services::OpenWithDesktop(fileName); };
    return o;
}

// The output file, written under a temporary name and put in place only
// when complete: a failed export leaves no partial file behind.
class SaveFileStream : public platform::Stream {
public:
    explicit SaveFileStream(const QString &path) : m_file(path)
    {
        platform::checkSaveTarget(path);
        if (!m_file.open(QIODevice::WriteOnly))
            throw platform::StreamError(
                QStringLiteral("Cannot create file \"%1\". %2").arg(path, m_file.errorString()));
    }
    qint64 read(char *, qint64) override { return 0; }
    void write(const char *data, qint64 count) override
    {
        if (m_file.write(data, count) != count)
            throw platform::StreamError(QStringLiteral("Stream write error"));
    }
    using Stream::write;
    qint64 position() const override { return m_file.pos(); }
    void seek(qint64 position) override { m_file.seek(position); }
    qint64 size() const override { return m_file.size(); }
    void setSize(qint64) override {}
    void commit()
    {
        if (!m_file.commit())
            throw platform::StreamError(
                QStringLiteral("Cannot create file \"%1\". %2").arg(m_file.fileName(), m_file.errorString()));
    }

private:
    QSaveFile m_file;
};

// "Name (*.pdf)|*.pdf" as a file dialog filter.
QString dialogFilter(const QString &filter)
{
    return filter.section(u'|', 0, 0);
}

} // namespace

void SetProgramPdfOptions(TrpPDFExport &filter, bool billList)
{
    filter.SetUseFileCache(true);
    filter.SetShowProgress(true);
    filter.SetOpenAfterExport(true);
    filter.SetPrintOptimized(false);
    filter.SetOutline(false);
    filter.SetAuthor(QStringLiteral("Tamrex"));
    filter.SetSubject(QStringLiteral("Export PDF..."));
    filter.SetBackground(false);
    filter.SetCreator(QStringLiteral("Tamrex"));
    filter.SetHTMLTags(true);
    if (billList)
        filter.SetCompressed(false);
}

void RegisterPdfExportClass()
{
    static const bool done = [] {
        platform::registerClass(TrpPDFExport::staticClass());
        return true;
    }();
    Q_UNUSED(done);
}

void AddPdfExportTexts()
{
    if (GetResources().Get(QStringLiteral("8700")) == QLatin1String("8700"))
        GetResources().AddStrings(QString::fromUtf8(kPdfTexts));
}

const platform::ClassInfo &TrpPDFExport::staticClass()
{
    using T = TrpPDFExport;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpPDFExport", &TrpCustomExportFilter::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.boolean("Compressed", &T::Compressed, &T::SetCompressed, true);
            b.boolean("EmbeddedFonts", &T::EmbeddedFonts, &T::SetEmbeddedFonts, false);
            b.boolean("OpenAfterExport", &T::OpenAfterExport, &T::SetOpenAfterExport, false);
            b.boolean("PrintOptimized", &T::PrintOptimized, &T::SetPrintOptimized);
            b.boolean("Outline", &T::Outline, &T::SetOutline);
            b.string("Author", &T::Author, &T::SetAuthor);
            b.string("Subject", &T::Subject, &T::SetSubject);
            b.boolean("Background", &T::Background, &T::SetBackground);
            b.string("Creator", &T::Creator, &T::SetCreator);
            b.boolean("HTMLTags", &T::HTMLTags, &T::SetHTMLTags);
        });
    return info;
}

TrpPDFExport::TrpPDFExport(platform::Component *owner)
    : TrpCustomExportFilter(owner), m_author(QStringLiteral("VevuRodevi")),
      m_subject(QStringLiteral("VevuRodevi PDF export")),
      m_creator(QStringLiteral("VevuRodevi (https://www.tamrex.sk/)"))
{
    AddPdfExportTexts();
    RegisterPdfExportClass();
    SetFileFilter(GetResources().GetResourceTextById(8707));
    SetFileExtension(GetResources().GetResourceTextById(8708));
}

TrpPDFExport::~TrpPDFExport() = default;

void TrpPDFExport::SetOpener(Opener o)
{
    opener() = o ? std::move(o) : [](const QString &fileName) { services::OpenWithDesktop(fileName); };
}

QString TrpPDFExport::GetDescription() const
{
    AddPdfExportTexts();
    return GetResources().Get(QStringLiteral("PDFexport"));
}

int TrpPDFExport::ShowModal()
{
    if (Stream())
        return 1;
    TrpReport *report = Report();
    m_outline = report ? report->PreviewOptions()->OutlineVisible() : true;
    TrpPDFExportDialog dialog;
    if (TempFileExport()) {
        dialog.OpenCB->hide();
        m_openAfterExport = false;
    }
    QString proposed = FileName();
    if (proposed.isEmpty() && !TempFileExport() && report && !report->ReportFileName().isEmpty()) {
        const QFileInfo source(report->ReportFileName());
        proposed = source.completeBaseName() + FileExtension();
    }
    dialog.OpenCB->setChecked(m_openAfterExport);
    dialog.CompressedCB->setChecked(m_compressed);
    dialog.EmbeddedCB->setChecked(m_embeddedFonts);
    dialog.PrintOptCB->setChecked(m_printOptimized);
    dialog.OutlineCB->setChecked(m_outline);
    dialog.OutlineCB->setEnabled(m_outline);
    dialog.BackgrCB->setChecked(m_background);
    if (!PageRange().isEmpty()) {
        dialog.PageNumbersE->setText(PageRange());
        dialog.PageNumbersRB->setChecked(true);
    }
    if (dialog.run() != QDialog::Accepted)
        return 2;
    SetPageRange(QString());
    SetCurrentPageOnly(dialog.CurPageRB->isChecked());
    if (dialog.PageNumbersRB->isChecked())
        SetPageRange(dialog.PageNumbersE->text());
    m_openAfterExport = dialog.OpenCB->isChecked() && !TempFileExport();
    m_compressed = dialog.CompressedCB->isChecked();
    m_embeddedFonts = dialog.EmbeddedCB->isChecked();
    m_printOptimized = dialog.PrintOptCB->isChecked();
    m_outline = dialog.OutlineCB->isChecked();
    m_background = dialog.BackgrCB->isChecked();
    if (TempFileExport()) {
        const QString temp = MakeTempFileName();
        QFile::remove(temp); // only its name is used, with the extension
        SetFileName(temp + FileExtension());
        return 1;
    }
    platform::FileDialogRequest request;
    request.caption = dialog.windowTitle();
    request.folder = DefaultPath();
    request.fileName = proposed;
    request.filter = dialogFilter(FileFilter());
    request.defaultSuffix = FileExtension().mid(1);
    const std::optional<QString> chosen = platform::messageBoxSeam().saveFileName(request);
    if (!chosen)
        return 2;
    SetFileName(*chosen);
    return 1;
}

bool TrpPDFExport::Start()
{
    if (FileName().isEmpty() && !Stream())
        return false;
    if (!FileName().isEmpty() && !FileName().contains(u'/') && !DefaultPath().isEmpty())
        SetFileName(QDir(DefaultPath()).filePath(FileName()));
    if (!Stream())
        platform::checkSaveTarget(FileName()); // refused before any page is written
    TrpReport *report = Report();
    TrpCustomPreviewPages *pages = report ? report->PreparedPages() : nullptr;
    const int pageCount = pages ? pages->GetCount() : 0;
    const bool tempFile = UseFileCache() && pageCount > 200;
    m_pdfFile = std::make_unique<TrpPDFFile>(tempFile, report ? report->EngineOptions()->TempDir() : QString());
    m_pdfFile->SetCompressed(m_compressed);
    m_pdfFile->SetEmbeddedFonts(m_embeddedFonts);
    m_pdfFile->SetPrintOptimized(m_printOptimized);
    m_pdfFile->SetOutline(m_outline);
    m_pdfFile->SetBackground(m_background);
    m_pdfFile->SetAuthor(m_author);
    m_pdfFile->SetSubject(m_subject);
    m_pdfFile->SetProducer(m_creator);
    m_pdfFile->SetHTMLTags(m_htmlTags);
    m_pdfFile->SetPageRange(PageRange());
    m_pdfFile->SetTotalPages(pageCount);
    if (m_outline && pages)
        m_pdfFile->SetOutlineSource(pages->Outline());
    m_currentPage = nullptr;
    return true;
}

void TrpPDFExport::StartPage(TrpReportPage *page, int index)
{
    Q_UNUSED(index);
    if (m_pdfFile && page)
        m_currentPage = m_pdfFile->AddPdfPage(*page);
}

void TrpPDFExport::ExportObject(TrpReportComponent *obj)
{
    auto *view = dynamic_cast<TrpView *>(obj);
    if (!view || !m_pdfFile || !m_currentPage)
        return;
    if (ExportNotPrintable() || view->Printable())
        m_pdfFile->ExportViewToPdf(*m_currentPage, *view);
}

void TrpPDFExport::writeDocument(platform::Stream &stream)
{
    TrpReport *report = Report();
    m_pdfFile->SetTitle(report ? report->ReportOptions()->Name() : QString());
    m_pdfFile->Write(stream);
    if (report) {
        for (const QString &warning : m_pdfFile->Warnings())
            report->ErrorList().add(warning);
    }
}

void TrpPDFExport::writeFile()
{
    SaveFileStream file(FileName());
    writeDocument(file);
    file.commit();
}

void TrpPDFExport::Finish()
{
    if (!m_pdfFile)
        return;
    // The PDF file (and its scratch file) goes whatever happens.
    struct Release {
        TrpPDFExport *self;
        ~Release()
        {
            self->m_pdfFile.reset();
            self->m_currentPage = nullptr;
        }
    } release{this};
    if (Stream()) {
        writeDocument(*Stream());
        return;
    }
    writeFile();
    if (m_openAfterExport)
        opener()(FileName());
}

} // namespace bralvo::report
