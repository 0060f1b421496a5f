#pragma once

// The preview of a report: one page at a time like a document viewer, paged
// with the toolbar or PgUp/PgDn/Home/End wherever the keyboard is in the
// window (the arrow keys and the wheel scroll the page), zoomed, printed, or
// saved as PDF. The first page shows at once; every page is painted when it
// is shown.

#include <QDialog>
#include <QImage>

#include <functional>

class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;

namespace reportengine {

class ReportDocument;

class PageView : public QWidget
{
    Q_OBJECT
public:
    explicit PageView(ReportDocument &document, QWidget *parent = nullptr);

    int page() const { return m_page; }
    void setPage(int page);
    double zoom() const { return m_zoom; }
    void setZoom(double zoom); // 1.0 = the page at its real size on a 96 dpi screen
    QSize sizeHint() const override;
    // The picture of the current page at the current zoom (painted on demand).
    const QImage &pageImage();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ReportDocument &m_document;
    int m_page = 0;
    double m_zoom = 1.0;
    QImage m_image;
};

class PreviewWindow : public QDialog
{
    Q_OBJECT
public:
    // print runs the report on the printer (the preview's "Tisk"); null hides it.
    PreviewWindow(ReportDocument &document, const QString &title, std::function<void()> print,
                  QWidget *parent = nullptr);

    PageView *pageView() const { return m_view; }
    void goToPage(int page); // 0-based, kept within the document
    void fitWidth();
    void fitPage();
    // Saves the report to path (no dialog); on failure emits failed() and
    // returns false.
    bool saveAsPdf(const QString &path);

signals:
    // A failure the user is to be told about, with its message. The engine
    // shows no error box of its own: whoever opens the preview shows it.
    void failed(const QString &message);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // PgUp, PgDn, Home or End without a modifier: goes to that page and
    // returns true; any other key: false.
    bool pageByKey(const QKeyEvent *event);
    void chooseAndSave();
    void updatePageState();

    ReportDocument &m_document;
    QString m_title;
    QScrollArea *m_scroll = nullptr;
    PageView *m_view = nullptr;
    QSpinBox *m_pageBox = nullptr;
    QLabel *m_pageCount = nullptr;
    bool m_fitted = false;
};

} // namespace reportengine
