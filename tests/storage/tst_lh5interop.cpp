// The lh5 stream against independent LHA implementations, run as programs:
// lhasa must extract what Ludra compresses, byte for byte and with a good
// CRC, and Ludra must decode the -lh5- members that jlha writes.

#include "lzharchive.h"
#include "samples.h"

#include "storage/corruptfile.h"
#include "storage/lh5.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace ludra;
using namespace ludra::test;

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray output;
};

// The decoded stream, or a test failure naming the decoder's complaint.
#define DECODE_OR_FAIL(result, stream, size)                                   \
    QByteArray result;                                                         \
    try {                                                                      \
        result = lh5::Decompress(stream, size);                                \
    } catch (const ECorruptFile &e) {                                          \
        QFAIL(qPrintable(QStringLiteral("decoder: ") + e.message()));          \
    }

Run RunTool(const QString &program, const QStringList &arguments, const QString &workDir)
{
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    Run r;
    if (!p.waitForFinished(300000)) {
        p.kill();
        p.waitForFinished();
        r.output = "did not finish: " + p.errorString().toUtf8();
        return r;
    }
    r.output = p.readAll();
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return r;
}

bool WriteFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size() && f.flush();
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TstLh5Interop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void lhasaExtractsLudraStreams_data();
    void lhasaExtractsLudraStreams();
    void lhasaRejectsADamagedStream();
    void ludraDecodesJlhaStreams_data();
    void ludraDecodesJlhaStreams();

private:
    QString m_lhasa;
    QString m_jlha;
};

void TstLh5Interop::initTestCase()
{
    // These tests are the proof that the stream is real lh5: a missing tool
    // is a failure, not a reason to skip.
    m_lhasa = QStandardPaths::findExecutable("lhasa");
    m_jlha = QStandardPaths::findExecutable("jlha");
    QVERIFY2(!m_lhasa.isEmpty(), "lhasa not found (Debian package lhasa; scripts/deps.sh test)");
    QVERIFY2(!m_jlha.isEmpty(), "jlha not found (Debian package jlha-utils; scripts/deps.sh test)");
}

void TstLh5Interop::lhasaExtractsLudraStreams_data()
{
    QTest::addColumn<QByteArray>("data");
    for (const CodecSample &s : CodecSamples())
        QTest::newRow(s.name) << s.data;
}

void TstLh5Interop::lhasaExtractsLudraStreams()
{
    QFETCH(QByteArray, data);

    const QByteArray stream = lh5::Compress(data);
    DECODE_OR_FAIL(ownDecoding, stream, quint32(data.size()));
    QVERIFY(ownDecoding == data);

    QTemporaryDir dir;
    QVERIFY(WriteFile(dir.filePath("ludra.lzh"), MakeLzhArchive("member.bin", data, stream)));
    QDir(dir.path()).mkdir("out");
    const Run run = RunTool(m_lhasa, {"-xqfw=out", "ludra.lzh"}, dir.path());
    QVERIFY2(run.exitCode == 0, run.output.constData());
    const QByteArray extracted = ReadFile(dir.filePath("out/member.bin"));
    QCOMPARE(extracted.size(), data.size());
    QVERIFY(extracted == data);
}

void TstLh5Interop::lhasaRejectsADamagedStream()
{
    // The same route as above with one byte of the stream changed must fail,
    // or the check above would prove nothing.
    const QByteArray data = SampleText(20000, 11);
    QByteArray stream = lh5::Compress(data);
    stream[stream.size() / 2] = char(stream[stream.size() / 2] ^ 0x5A);

    QTemporaryDir dir;
    QVERIFY(WriteFile(dir.filePath("bad.lzh"), MakeLzhArchive("member.bin", data, stream)));
    QDir(dir.path()).mkdir("out");
    const Run run = RunTool(m_lhasa, {"-xqfw=out", "bad.lzh"}, dir.path());
    QVERIFY2(run.exitCode != 0, run.output.constData());
}

void TstLh5Interop::ludraDecodesJlhaStreams_data()
{
    QTest::addColumn<QByteArray>("data");
    for (const CodecSample &s : CodecSamples())
        if (s.jlhaCompresses)
            QTest::newRow(s.name) << s.data;
}

void TstLh5Interop::ludraDecodesJlhaStreams()
{
    QFETCH(QByteArray, data);

    QTemporaryDir dir;
    QVERIFY(WriteFile(dir.filePath("input.bin"), data));
    const Run run = RunTool(m_jlha, {"aqo5", "jlha.lzh", "input.bin"}, dir.path());
    QVERIFY2(run.exitCode == 0, run.output.constData());

    QString error;
    const std::optional<LzhMember> member = ReadFirstLzhMember(ReadFile(dir.filePath("jlha.lzh")), &error);
    QVERIFY2(member.has_value(), qPrintable(error));
    QCOMPARE(member->name, QByteArray("input.bin"));
    QCOMPARE(member->method, QByteArray("-lh5-"));
    QCOMPARE(member->originalSize, quint32(data.size()));
    QCOMPARE(member->crc, Crc16(data));

    DECODE_OR_FAIL(decoded, member->data, member->originalSize);
    QCOMPARE(decoded.size(), data.size());
    QVERIFY(decoded == data);
}

QTEST_GUILESS_MAIN(TstLh5Interop)
#include "tst_lh5interop.moc"
