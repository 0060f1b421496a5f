#pragma once

// The small window shown while a report goes to the printer: which page is
// being printed, a bar, and "Storno".

#include <QWidget>

class QLabel;
class QProgressBar;

namespace reportengine {

class PrintProgressWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PrintProgressWindow(int pageCount, QWidget *parent = nullptr);

    void setPage(int page);
    bool cancelled() const { return m_cancelled; }

private:
    int m_pageCount;
    bool m_cancelled = false;
    QLabel *m_text = nullptr;
    QProgressBar *m_bar = nullptr;
};

} // namespace reportengine
