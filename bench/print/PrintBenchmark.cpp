// Times invoice printing to PDF: one invoice, then 1,000 invoices into one file, each through
// the whole print entry (staging, layout load, fields, picture step, rendering).
// Usage: bench_print [output folder]   (default: a temporary folder, removed afterwards)

#include "DefaultLayouts.h"
#include "FontSubstitutions.h"
#include "InvoicePrintEntry.h"
#include "PdfOutput.h"
#include "ReportRenderer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace {

InvoicePrintInput sampleInvoice(int number) {
    InvoicePrintInput input;
    PrintHeader& h = input.header;
    h.invoiceNumber = QStringLiteral("%1").arg(number, 8, 10, QLatin1Char('0'));
    h.checkCode = QStringLiteral("12345 67890 12345 67890");
    h.chineseDate = QStringLiteral("二〇二四年三月五日");
    h.buyerName = QStringLiteral("示例贸易有限公司");
    h.buyerTaxNumber = QStringLiteral("110101000000000");
    h.buyerAddressPhone = QStringLiteral("北京市东城区示例路1号 010-12345678");
    h.buyerBankAccount = QStringLiteral("示例银行东城支行 0200000000000000");
    for (int i = 0; i < 4; ++i)
        h.cipherLines[i] = QStringLiteral("<0*3-2>1+5/6<8*9-0>1+2/3<4*5");
    h.amountInCapitals = QStringLiteral("壹仟壹佰柒拾圆整");
    h.amountInFigures = QStringLiteral("1170.00");
    h.sellerName = QStringLiteral("本公司");
    h.payee = h.reviewer = h.drawer = QStringLiteral("张三");
    for (int r = 1; r <= 6; ++r) {
        PrintLine line;
        line.name = QStringLiteral("商品%1").arg(r);
        line.model = QStringLiteral("X-%1").arg(r);
        line.unit = QStringLiteral("个");
        line.quantity = r;
        line.unitPrice = 100.0 / 1.17;
        line.amount = Currency::fromDouble(r * 100.0 / 1.17);
        line.taxRate = 17;
        line.tax = Currency::fromDouble(r * 17.0 / 1.17);
        input.lines.append(line);
    }
    input.totals = PrintTotals::sumOf(input.lines);
    return input;
}

QList<RenderedPage> printEntry(const QString& folder, int number) {
    PrintStaging staging;
    return ReportRenderer::render(InvoicePrintEntry::prepare(
        PrintLayout::path(PrintLayout::Overlay108, folder), sampleInvoice(number), staging));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    installFontSubstitutions();
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    DefaultLayouts::ensure(folder);

    QElapsedTimer timer;
    timer.start();
    PdfOutput::write(printEntry(folder, 1), folder + QStringLiteral("/one.pdf"));
    const qint64 oneMs = timer.elapsed();

    timer.restart();
    {
        PdfOutput pdf(folder + QStringLiteral("/thousand.pdf"));
        for (int n = 1; n <= 1000; ++n)
            pdf.addPages(printEntry(folder, n));
    }
    const qint64 thousandMs = timer.elapsed();

    std::printf("one invoice to PDF:        %lld ms\n", static_cast<long long>(oneMs));
    std::printf("1,000 invoices to one PDF: %lld ms (%.1f ms each), %lld KB\n",
                static_cast<long long>(thousandMs), thousandMs / 1000.0,
                QFileInfo(folder + QStringLiteral("/thousand.pdf")).size() / 1024);
    return 0;
}
