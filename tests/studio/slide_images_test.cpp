#include <string>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "StudioFixture.hpp"
#include "studio/SlideImages.hpp"

namespace velmora::studio {
namespace {

using SlideImagesTest = StudioFixture;

// LibreOffice draws the deck; the slide asked for first is handed over alone,
// before the pictures of every slide arrive together.
TEST_F(SlideImagesTest, TheSlideAskedForFirstArrivesAloneBeforeTheRest)
{
    std::vector<std::string> arrivals;
    QImage first;
    SlideImages::Result all;
    SlideImages images(
        [&](int slide, const QImage& picture) {
            arrivals.push_back("slide " + std::to_string(slide));
            first = picture;
        },
        [&](const SlideImages::Result& result) {
            arrivals.push_back("all");
            all = result;
        });
    images.Request(*window_->Presentation(), 240, 2);
    QElapsedTimer waited;
    waited.start();
    while (images.Busy() && waited.elapsed() < 120000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }

    ASSERT_TRUE(all.error.isEmpty()) << all.error.toStdString();
    EXPECT_EQ(arrivals, (std::vector<std::string>{"slide 2", "all"}));
    ASSERT_EQ(all.slides.size(), 3u);
    for (const QImage& picture : all.slides) {
        EXPECT_EQ(picture.width(), 240);
    }
    EXPECT_EQ(first, all.slides[1]);
    EXPECT_NE(first, all.slides[0]);
}

}  // namespace
}  // namespace velmora::studio
