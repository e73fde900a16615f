#pragma once

#include <QString>

// The amount spelled in Chinese capital numerals as financial documents require, e.g.
// 1234.56 -> "壹仟贰佰叁拾肆圆伍角陆分". Amounts of 10^16 yuan and more lose their leading digits;
// a negative amount reads "负" followed by the capitals of its absolute value; an amount that is
// not a finite number gives the empty text.
QString AmountInCapitals(double amount);
