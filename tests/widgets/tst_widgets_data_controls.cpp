// The data-aware controls: what they show, what they write, their limits,
// and what happens to text the table refuses.

#include "dbase/Table.h"
#include "widgets/DataControls.h"
#include "widgets/DataSource.h"

#include "support/Typing.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using widgets::DataSource;
using widgets::FieldLink;

class DataControlsTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void controlsFollowTheCurrentRecord();
    void typingWritesOnlyWhileEditing();
    void entryLimits();
    void refusedTextIsKeptUntilItFits();
    void switchedOffSourceStopsAndCatchesUp();

private:
    void addRecord(const QString &title, const QString &number, const QString &note);

    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<dbase::Table> m_table;
    std::unique_ptr<DataSource> m_source;
    std::unique_ptr<QWidget> m_form;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_number = nullptr;
    QComboBox *m_kind = nullptr;
    QPlainTextEdit *m_note = nullptr;
    QLabel *m_date = nullptr;
};

void DataControlsTest::init()
{
    m_temp = std::make_unique<QTemporaryDir>();
    const QString file = m_temp->path() + QStringLiteral("/Knihy.dbf");
    dbase::createTable(file,
                       {{QStringLiteral("NAZEV"), 'C', 20, 0},
                        {QStringLiteral("CISLO"), 'N', 10, 0},
                        {QStringLiteral("DRUH"), 'C', 12, 0},
                        {QStringLiteral("POZNAMKA"), 'C', 30, 0},
                        {QStringLiteral("DATUM"), 'D', 8, 0}},
                       {{QStringLiteral("CISLO"), QStringLiteral("CISLO")}}, false);
    m_table = std::make_unique<dbase::Table>();
    m_table->setDatabaseName(m_temp->path());
    m_table->setTableName(QStringLiteral("Knihy.dbf"));
    m_table->open();
    m_table->setOrder(QStringLiteral("CISLO"));
    m_source = std::make_unique<DataSource>(m_table.get());

    m_form = std::make_unique<QWidget>();
    m_title = new QLineEdit(m_form.get());
    m_number = new QLineEdit(m_form.get());
    m_kind = new QComboBox(m_form.get());
    m_kind->addItems({QStringLiteral("Drama"), QStringLiteral("Horor")});
    m_note = new QPlainTextEdit(m_form.get());
    m_date = new QLabel(m_form.get());
    widgets::bindField(m_title, m_source.get(), QStringLiteral("NAZEV"));
    widgets::bindField(m_number, m_source.get(), QStringLiteral("CISLO"), 5);
    widgets::bindField(m_kind, m_source.get(), QStringLiteral("DRUH"));
    widgets::bindField(m_note, m_source.get(), QStringLiteral("POZNAMKA"));
    widgets::bindField(m_date, m_source.get(), QStringLiteral("DATUM"));
}

void DataControlsTest::cleanup()
{
    m_form.reset();
    m_source.reset();
    m_table.reset();
    m_temp.reset();
}

void DataControlsTest::addRecord(const QString &title, const QString &number, const QString &note)
{
    m_table->insert();
    m_table->setFieldText(QStringLiteral("NAZEV"), title);
    m_table->setFieldText(QStringLiteral("CISLO"), number);
    m_table->setFieldText(QStringLiteral("POZNAMKA"), note);
    m_table->setFieldText(QStringLiteral("DATUM"), QStringLiteral("3.2.2001"));
    m_table->post();
}

void DataControlsTest::controlsFollowTheCurrentRecord()
{
    // An empty table shows empty controls.
    QCOMPARE(m_title->text(), QString());
    QCOMPARE(m_date->text(), QString());

    addRecord(QStringLiteral("Žluťoučký kůň"), QStringLiteral("2"), QStringLiteral("první"));
    addRecord(QStringLiteral("Babička"), QStringLiteral("1"), QStringLiteral("druhá"));
    m_table->first();
    QCOMPARE(m_title->text(), QStringLiteral("Babička"));
    QCOMPARE(m_number->text(), QStringLiteral("1"));
    QCOMPARE(m_note->toPlainText(), QStringLiteral("druhá"));
    QCOMPARE(m_date->text(), QStringLiteral("3.2.2001"));
    m_table->next();
    QCOMPARE(m_title->text(), QStringLiteral("Žluťoučký kůň"));
    QCOMPARE(FieldLink::of(m_title)->field(), QStringLiteral("NAZEV"));
    QVERIFY(!FieldLink::of(m_form.get()));
}

void DataControlsTest::typingWritesOnlyWhileEditing()
{
    addRecord(QStringLiteral("Babička"), QStringLiteral("1"), QString());
    // In browse state the table is not touched by what the control holds.
    typeText(m_title, QStringLiteral("X"));
    QCOMPARE(m_table->fieldText(QStringLiteral("NAZEV")), QStringLiteral("Babička"));
    m_table->cancel();

    m_table->edit();
    QCOMPARE(m_title->text(), QStringLiteral("Babička"));
    m_title->selectAll();
    typeText(m_title, QStringLiteral("Kytice"));
    m_kind->setCurrentIndex(1); // a choice from the list is an edit too
    typeText(m_note, QStringLiteral("ř"));
    QCOMPARE(m_table->fieldText(QStringLiteral("NAZEV")), QStringLiteral("Kytice"));
    QCOMPARE(m_table->fieldText(QStringLiteral("DRUH")), QStringLiteral("Horor"));
    QCOMPARE(m_table->fieldText(QStringLiteral("POZNAMKA")), QStringLiteral("ř"));
    m_table->cancel();
    // Cancelling shows the stored values again.
    QCOMPARE(m_title->text(), QStringLiteral("Babička"));
    QCOMPARE(m_kind->currentText(), QString());
}

void DataControlsTest::entryLimits()
{
    QCOMPARE(FieldLink::of(m_number)->maxChars(), 5);
    QCOMPARE(m_number->maxLength(), 5);
    QCOMPARE(m_title->maxLength(), 20); // the field size
    QCOMPARE(m_kind->lineEdit()->maxLength(), 12);

    m_table->insert();
    typeText(m_number, QStringLiteral("1234567"));
    QCOMPARE(m_number->text(), QStringLiteral("12345"));
    // The memo has no limit of its own: a paste beyond the field is cut.
    m_note->insertPlainText(QString(40, QLatin1Char('a')));
    QCOMPARE(m_note->toPlainText().size(), 30);
    QCOMPARE(m_table->fieldText(QStringLiteral("POZNAMKA")), QString(30, QLatin1Char('a')));
    m_table->cancel();
}

void DataControlsTest::refusedTextIsKeptUntilItFits()
{
    m_table->insert();
    typeText(m_number, QStringLiteral("1x"));
    typeText(m_title, QStringLiteral("Dub"));
    // The table refused "1x" but the control keeps it, also when another
    // field changes the record.
    QCOMPARE(m_number->text(), QStringLiteral("1x"));
    QVERIFY(m_source->hasPending(QStringLiteral("CISLO")));
    QVERIFY_THROWS_EXCEPTION(dbase::Error, m_source->updateRecord());
    QCOMPARE(m_table->state(), dbase::Table::State::Insert);
    QCOMPARE(m_number->text(), QStringLiteral("1x"));

    QTest::keyClick(m_number, Qt::Key_Backspace);
    QVERIFY(!m_source->hasPending(QStringLiteral("CISLO")));
    m_source->updateRecord();
    m_table->post();
    QCOMPARE(m_table->fieldText(QStringLiteral("CISLO")), QStringLiteral("1"));
    QCOMPARE(m_number->text(), QStringLiteral("1"));
}

void DataControlsTest::switchedOffSourceStopsAndCatchesUp()
{
    addRecord(QStringLiteral("Babička"), QStringLiteral("1"), QString());
    addRecord(QStringLiteral("Kytice"), QStringLiteral("2"), QString());
    m_table->first();
    m_source->setEnabled(false);
    m_table->last();
    QCOMPARE(m_title->text(), QStringLiteral("Babička"));
    m_source->setEnabled(true);
    QCOMPARE(m_title->text(), QStringLiteral("Kytice"));
}

QTEST_MAIN(DataControlsTest)
#include "tst_widgets_data_controls.moc"
