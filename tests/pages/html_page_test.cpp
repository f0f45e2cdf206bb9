#include "headless_browser.h"
#include "output/html_sheets.h"
#include "worksheet/steps.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QUrl>

#include <set>
#include <utility>
#include <vector>

namespace virdamo {
namespace {

using namespace Qt::StringLiterals;

/// Squares with every row and the cross: each key of the engine's steps is the pupil's to type.
const pages::PageOptions kEverything{5.0, true, true, true, {}};

QString typed(int digit)
{
    return digit == kDash ? u"-"_s : QString::number(digit);
}

// A pupil fills a sheet in Debian's chromium with no network, from the file itself: the
// engine's keys finish every operation, a wrong key is refused and counted, the summary
// names the pupil, the sheet's code and each score, and a reload keeps the work done.
TEST(HtmlPage, APupilFillsTheSheetInABrowserOffline)
{
    struct Factors {
        std::int32_t multiplicand, multiplier;
        int multiplicandDecimals = 0, multiplierDecimals = 0;
    };
    const struct {
        const char* what;
        std::vector<Factors> operations;
        QStringList names;          // one sheet each, the last one's pupil at the keys; none: she types her name
        std::set<int> wrongBefore;  // keys of the sheet, counted from 0, that a wrong key comes before
        int reloadAfter = -1;       // keys typed before the page is opened again
    } cases[] = {
        {"the right keys", {{2305, 104}, {47, 6}}, {u"Anna"_s, u"Luca"_s}, {}, -1},
        {"wrong keys", {{2305, 104}}, {}, {0, 7, 8}, -1},
        {"a reload", {{2305, 104}, {12, 22}}, {}, {3, 30}, 20},
        // 23,45 x 3,2: its key 19 is the comma's, the count of the product's decimals.
        {"decimals", {{2345, 32, 2, 1}}, {}, {19}, -1},
    };
    const QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<output::PageSheet> sheets;
        Sheet sheet;
        for (const Factors& f : c.operations) {
            sheet.operations.push_back(
                workOut(f.multiplicand, f.multiplier, {}, f.multiplicandDecimals, f.multiplierDecimals));
        }
        for (int k = 0; k < std::max<int>(1, static_cast<int>(c.names.size())); ++k) {
            sheets.push_back({sheet, "H28T5-CY4T" + std::to_string(k), c.names.value(k)});
        }
        const QString pupil = c.names.isEmpty() ? u"Giulia"_s : c.names.back();
        const QString path = dir.filePath(u"sheet%1.html"_s.arg(&c - cases));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(output::sheetsHtml(sheets, kEverything));
        file.close();

        test::HeadlessBrowser browser(1280, 900);
        const QString url = QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded());
        const QString ready = u"document.documentElement.dataset.ready !== undefined"_s;
        browser.open(url, ready);
        if (c.names.isEmpty()) {
            browser.evaluate(u"pupil.value = '%1'; begin.click()"_s.arg(pupil));
        } else {
            browser.evaluate(
                u"[...document.querySelectorAll('#names button')].find(b => b.textContent == '%1').click()"_s.arg(
                    pupil));
        }
        int key = 0;
        QStringList scores;
        for (const WorkedOperation& op : sheet.operations) {
            int keys = 0;
            int misses = 0;
            for (const Step& step : stepsOf(op)) {
                for (const ExpectedKey& expected : step.keys) {
                    if (c.wrongBefore.count(key) != 0) {
                        browser.press(typed(expected.digit == 9 ? 0 : expected.digit + 1));
                        EXPECT_TRUE(browser.evaluate(u"hint.textContent"_s).toString().startsWith(u"Riprova: "_s));
                        ++misses;
                    }
                    browser.press(typed(expected.digit));
                    ++keys;
                    if (++key == c.reloadAfter) {
                        browser.open(url, ready);
                        EXPECT_TRUE(browser.evaluate(u"start.hidden"_s).toBool()) << "the pupil is not asked again";
                    }
                }
            }
            scores << u"%1) %2 × %3: %4 su %5"_s.arg(scores.size() + 1)
                          .arg(QString::fromStdString(decimalText(op.multiplicand, op.multiplicandDecimals)))
                          .arg(QString::fromStdString(decimalText(op.multiplier, op.multiplierDecimals)))
                          .arg(keys - misses)
                          .arg(keys)
                    + (misses == 0       ? QString()
                           : misses == 1 ? u" (1 errore)"_s
                                         : u" (%1 errori)"_s.arg(misses));
        }
        EXPECT_FALSE(browser.evaluate(u"summary.hidden"_s).toBool());
        EXPECT_EQ(browser.evaluate(u"document.getElementById('summary-name').textContent"_s).toString(), pupil);
        EXPECT_EQ(browser.evaluate(u"document.getElementById('summary-code').textContent"_s).toString(),
                  QString::fromStdString(sheets.back().code));
        EXPECT_EQ(browser.evaluate(u"document.getElementById('summary-scores').innerText"_s).toString(),
                  scores.join(u'\n'));
        for (const QString& requested : browser.requested()) {
            EXPECT_EQ(requested.toStdString(), url.toStdString()) << "nothing but the file itself";
        }
    }
}

}  // namespace
}  // namespace virdamo
