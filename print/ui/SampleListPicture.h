#pragma once

#include <QImage>
#include <QString>

// Pictures of filled-in sales lists, shown by the sample windows of the print menu so the user
// sees what each list form looks like. The data are invented and drawn by the program.
class SampleListPicture {
public:
    enum class Form {
        GoodsAndServices, // 销售货物或者提供应税劳务清单
        TaxableGoods,     // 增值税应税货物或劳务销货清单
        SpecialInvoice,   // 增值税专用发票销货清单
    };

    static QString title(Form form);
    // Drawn once per form and kept for later windows.
    static QImage picture(Form form);

private:
    static QImage draw(Form form);
};
