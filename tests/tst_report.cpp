#include "printing/report/designer.h"
#include "printing/report/engine.h"
#include "printing/report/preview.h"
#include "shell/errors.h"
#include "shell/filedialogs.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/modal.h"
#include "testsupport.h"

#include <QFile>
#include <QGraphicsView>
#include <QImage>
#include <QLabel>
#include <QtTest>

// The report engine: templates, where the values land, the preview and the designer.
class TestReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Look::Apply(*qApp); }
    void init() { FileDialogs::SetScripted(true); }
    void cleanup() { FileDialogs::SetScripted(false); }

    void defaultTemplateRoundTrip();
    void malformedTemplates_data();
    void malformedTemplates();
    void fieldSubstitution_data();
    void fieldSubstitution();
    void textLandsWhereTheTemplateSays_data();
    void textLandsWhereTheTemplateSays();
    void calibrationFromMeasurement();
    void longValuesAreFlagged();
    void previewZoomFindSaveOpenExport();
    void designerMovesSavesAndUndoes();
    void designerAsksBeforeLosingChanges();

private:
    static Report::Template oneText(const QString &text, const QRectF &rect);
};

Report::Template TestReport::oneText(const QString &text, const QRectF &rect) {
    Report::Template t;
    t.pageSize = QSizeF(100, 60);
    Report::Item item;
    item.text = text;
    item.rect = rect;
    item.fontSize = 20;
    item.align = Qt::AlignLeft | Qt::AlignTop;
    t.items.append(item);
    return t;
}

void TestReport::defaultTemplateRoundTrip() {
    const Report::Template t = Report::Load(QStringLiteral(KELVARO_SOURCE_DIR "/report/st.rmf"));
    QCOMPARE(t.pageSize, QSizeF(241, 140));
    // Every column of the print buffer has its place.
    QStringList fields;
    for (const Report::Item &item : t.items)
        fields << Report::FieldsOf(item.text);
    for (const char *c : {"djh", "khxm", "pyzjh", "lxdh", "khdz", "bz",     "spmc6",  "sl6", "dj6",  "je6",
                          "zje", "kpy",  "xsy",   "ysh",  "ysb",  "fkfssk", "fkfsxj", "drq", "xlh4", "zjedx"})
        QVERIFY2(fields.contains(QLatin1String(c)), c);
    ProgramFolder folder(false);
    const QString copy = folder.Path(QStringLiteral("copy.rmf"));
    Report::Save(t, copy);
    QCOMPARE(Report::Load(copy), t);
}

void TestReport::malformedTemplates_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("says");
    QTest::newRow("not JSON") << QByteArray("{\"version\": 1,") << QStringLiteral("字符处");
    QTest::newRow("a list") << QByteArray("[1,2]") << QStringLiteral("不是一个模板");
    QTest::newRow("no version") << QByteArray("{}") << QStringLiteral("版本");
    QTest::newRow("future version") << QByteArray("{\"version\": 9}") << QStringLiteral("版本 9");
    QTest::newRow("unknown item type") << QByteArray("{\"version\":1,\"items\":[{\"type\":\"circle\"}]}")
                                       << QStringLiteral("circle");
    QTest::newRow("position as text") << QByteArray("{\"version\":1,\"items\":[{\"x\":\"10\"}]}")
                                      << QStringLiteral("“x”应为数字");
    QTest::newRow("unknown alignment") << QByteArray("{\"version\":1,\"items\":[{\"align\":\"middle\"}]}")
                                       << QStringLiteral("middle");
    QTest::newRow("tiny page") << QByteArray("{\"version\":1,\"page\":{\"width\":1,\"height\":1}}")
                               << QStringLiteral("纸张大小");
}

void TestReport::malformedTemplates() {
    QFETCH(QByteArray, json);
    QFETCH(QString, says);
    try {
        Report::FromJson(json, QStringLiteral("st.rmf"));
        QFAIL("no error raised");
    } catch (const Exception &e) {
        QVERIFY2(e.Message().contains(QStringLiteral("st.rmf")), qPrintable(e.Message()));
        QVERIFY2(e.Message().contains(says), qPrintable(e.Message()));
    }
}

void TestReport::fieldSubstitution_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("field") << "[qkdst_s.khxm]" << QStringLiteral("张三");
    QTest::newRow("words around fields") << "客户：[qkdst_s.khxm]（[qkdst_s.lxdh]）"
                                         << QStringLiteral("客户：张三（139）");
    QTest::newRow("data set name in other case") << "[QKDST_S.KHXM]" << QStringLiteral("张三");
    QTest::newRow("missing column is blank") << "[qkdst_s.nosuch]!" << QStringLiteral("!");
    QTest::newRow("other data set kept") << "[other.khxm]"
                                         << "[other.khxm]";
    QTest::newRow("plain words") << "销售单" << QStringLiteral("销售单");
}

void TestReport::fieldSubstitution() {
    QFETCH(QString, text);
    QFETCH(QString, result);
    const Report::Row row{{QStringLiteral("khxm"), QStringLiteral("张三")},
                          {QStringLiteral("lxdh"), QStringLiteral("139")}};
    QCOMPARE(Report::Substitute(text, row, Report::DataSetName()), result);
}

void TestReport::textLandsWhereTheTemplateSays_data() {
    QTest::addColumn<QPointF>("offset");
    QTest::addColumn<QPointF>("calibrationScale");
    QTest::addColumn<QPointF>("expected"); // mm of the text's top left corner
    QTest::newRow("as placed") << QPointF(0, 0) << QPointF(1, 1) << QPointF(20, 10);
    QTest::newRow("with the print offset") << QPointF(3, -2) << QPointF(1, 1) << QPointF(23, 8);
    QTest::newRow("with a printer's stretch") << QPointF(0, 0) << QPointF(1.5, 2) << QPointF(30, 20);
}

void TestReport::textLandsWhereTheTemplateSays() {
    QFETCH(QPointF, offset);
    QFETCH(QPointF, calibrationScale);
    QFETCH(QPointF, expected);
    Report::Template t = oneText(QStringLiteral("█"), QRectF(20, 10, 30, 15));
    t.offset = offset;
    Report::RenderOptions o;
    o.calibration.scale = calibrationScale;
    const double dpi = 254; // 10 pixels a millimetre
    const QImage image = Report::RenderImage(t, {}, dpi, o);
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    QVERIFY(!ink.isEmpty());
    // The glyph sits inside its box, within a millimetre and a half of the corner.
    QVERIFY2(std::abs(ink.left() / 10.0 - expected.x()) < 1.5, qPrintable(QString::number(ink.left() / 10.0)));
    QVERIFY2(ink.top() / 10.0 >= expected.y() - 0.2 && ink.top() / 10.0 - expected.y() < 3,
             qPrintable(QString::number(ink.top() / 10.0)));
}

void TestReport::calibrationFromMeasurement() {
    // A printer that stretches by 1 % and puts everything 2 mm right, 1.5 mm up.
    const auto printer = [](const QPointF &p) { return QPointF(p.x() * 1.01 + 2, p.y() * 1.01 - 1.5); };
    const QPointF a(30, 30), b(211, 110);
    const Report::Calibration c = Report::CalibrationFromMeasure(a, b, printer(a), printer(b));
    // What the program sends for a wanted point, through the printer, lands on it.
    for (const QPointF wanted : {QPointF(10, 10), QPointF(120, 70), QPointF(230, 130)}) {
        const QPointF sent((wanted.x() + c.offset.x()) * c.scale.x(), (wanted.y() + c.offset.y()) * c.scale.y());
        const QPointF landed = printer(sent);
        QVERIFY(std::abs(landed.x() - wanted.x()) < 1e-9);
        QVERIFY(std::abs(landed.y() - wanted.y()) < 1e-9);
    }
    QVERIFY_THROWS_EXCEPTION(Exception, Report::CalibrationFromMeasure(a, b, a, a));
}

void TestReport::longValuesAreFlagged() {
    Report::Template t = oneText(QStringLiteral("[qkdst_s.khdz]"), QRectF(10, 10, 30, 6));
    t.items[0].fontSize = 10;
    t.items.append(t.items[0]);
    t.items[1].shrinkToFit = true;
    const Report::Row shortRow{{QStringLiteral("khdz"), QStringLiteral("北京路1号")}};
    const Report::Row longRow{{QStringLiteral("khdz"), QStringLiteral("北京市朝阳区建国路八十八号现代城")}};
    QCOMPARE(Report::Overflowing(t, shortRow), QVector<int>());
    QCOMPARE(Report::Overflowing(t, longRow), QVector<int>{0}); // the shrinking box still fits it
    QVERIFY(Report::ItemFont(t.items[1], longRow.value("khdz")).pointSizeF() < 10);
}

void TestReport::previewZoomFindSaveOpenExport() {
    ProgramFolder folder(false);
    Report::Template t = Report::Load(QStringLiteral(KELVARO_SOURCE_DIR "/report/st.rmf"));
    const Report::Row row{{QStringLiteral("khxm"), QStringLiteral("张三")},
                          {QStringLiteral("spmc1"), QStringLiteral("冰箱")}};
    TPreviewForm preview({t, row, folder.Path(QString())});
    const double zoom = preview.Zoom();
    preview.ZoomInAction->trigger();
    QVERIFY(preview.Zoom() > zoom);
    preview.ZoomOutAction->trigger();
    QCOMPARE(preview.Zoom(), zoom);
    QCOMPARE(preview.Find(QStringLiteral("冰箱")), 1);
    QCOMPARE(preview.Find(QStringLiteral("电视")), 0);
    QCOMPARE(Msg::TakeShown().size(), 1); // "没有找到"

    const QString saved = folder.Path(QStringLiteral("slip"));
    FileDialogs::QueueAnswer(saved);
    preview.SaveAction->trigger();
    QVERIFY(QFile::exists(saved + QStringLiteral(".kpr")));
    TPreviewForm other({Report::Template(), {}, QString()});
    FileDialogs::QueueAnswer(saved + QStringLiteral(".kpr"));
    other.OpenAction->trigger();
    QCOMPARE(other.Current().layout, t);
    QCOMPARE(other.Current().row, row);

    FileDialogs::QueueAnswer(folder.Path(QStringLiteral("slip")), QStringLiteral("PDF 文件 (*.pdf)"));
    preview.ExportAction->trigger();
    QFile pdf(folder.Path(QStringLiteral("slip.pdf")));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().contains("/FontFile2"));
    FileDialogs::QueueAnswer(folder.Path(QStringLiteral("slip.png")), QStringLiteral("PNG 图片 (*.png)"));
    preview.ExportAction->trigger();
    const QImage png(folder.Path(QStringLiteral("slip.png")));
    QCOMPARE(png.width(), qRound(241 / 25.4 * 300));
    FileDialogs::QueueAnswer(QString()); // cancelled: nothing
    preview.ExportAction->trigger();
    QVERIFY(Msg::TakeShown().isEmpty());
}

void TestReport::designerMovesSavesAndUndoes() {
    ProgramFolder folder(false);
    const QString path = folder.Path(QStringLiteral("st.rmf"));
    Report::Save(oneText(QStringLiteral("[qkdst_s.khxm]"), QRectF(20, 10, 30, 6)), path);
    TDesignerForm designer(Report::Load(path), path, {{QStringLiteral("khxm"), QStringLiteral("张三")}},
                           {QStringLiteral("djh"), QStringLiteral("khxm")});
    designer.show();
    designer.Select(0);
    designer.View->setFocus();
    QTest::keyClick(designer.View, Qt::Key_Right);
    QTest::keyClick(designer.View, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(designer.Layout().items[0].rect.topLeft(), QPointF(20.5, 15));
    QVERIFY(designer.Modified());
    designer.Undo();
    QCOMPARE(designer.Layout().items[0].rect.topLeft(), QPointF(20.5, 10));
    designer.Redo();
    designer.AddField(QStringLiteral("djh"));
    QCOMPARE(designer.Layout().items.size(), 2);
    QCOMPARE(designer.Layout().items[1].text, QStringLiteral("[qkdst_s.djh]"));
    designer.SaveTemplate();
    QVERIFY(!designer.Modified());
    const Report::Template reloaded = Report::Load(path);
    QCOMPARE(reloaded.items[0].rect.topLeft(), QPointF(20.5, 15));
    QCOMPARE(reloaded.items.size(), 2);
    designer.DeleteSelected();
    QCOMPARE(designer.Layout().items.size(), 1);
}

void TestReport::designerAsksBeforeLosingChanges() {
    ProgramFolder folder(false);
    const QString path = folder.Path(QStringLiteral("st.rmf"));
    const Report::Template original = oneText(QStringLiteral("x"), QRectF(20, 10, 30, 6));
    Report::Save(original, path);
    for (const Msg::Answer answer : {Msg::Answer::No, Msg::Answer::Yes}) {
        TDesignerForm designer(Report::Load(path), path, {}, {});
        designer.Select(0);
        designer.MoveSelected(1, 0);
        Msg::QueueAnswer(answer);
        designer.reject();
        const QList<Msg::Shown> shown = Msg::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("询问"));
        QCOMPARE(Report::Load(path).items[0].rect.x(), answer == Msg::Answer::Yes ? 21.0 : 20.0);
    }
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
