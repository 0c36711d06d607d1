// SPDX-License-Identifier: GPL-2.0-or-later
// The loader's worker: what was dropped never answers, even the work that
// was running then, and a picture decoded once comes back at once.
#include "ui/PictureLoader.h"
#include "FakeMame.h"

#include <QSemaphore>
#include <gtest/gtest.h>

TEST(PictureLoaderWorker, DroppedWorkNeverAnswersAndADecodedPictureComesBackAtOnce) {
    const ArtworkFile red{QStringLiteral(COINSLOT_FIXTURES "/support/red.png"), {}};
    PictureLoader loader;
    QSemaphore started;
    QSemaphore release;
    bool heldAnswered = false;
    bool loadAnswered = false;
    loader.run([&]() -> std::function<void()> {
        started.release();
        release.acquire();
        return [&] { heldAnswered = true; };
    });
    loader.load(red, [&](const LoadedPicture&) { loadAnswered = true; });
    started.acquire(); // the first runs, the load waits
    loader.dropWaiting();
    release.release();
    std::optional<LoadedPicture> got;
    loader.load(
        red, [&](const LoadedPicture& picture) { got = picture; }, QSize(2, 2));
    ASSERT_TRUE(waitUntil([&] { return got.has_value(); }));
    EXPECT_FALSE(heldAnswered);
    EXPECT_FALSE(loadAnswered);
    // 4 x 3, decoded scaled to fit, keeping its shape.
    EXPECT_EQ(got->image.width(), 2);
    EXPECT_LT(got->image.height(), 3);

    got.reset();
    loader.load(
        red, [&](const LoadedPicture& picture) { got = picture; }, QSize(2, 2));
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->image.width(), 2);
    got.reset();
    loader.forgetAll();
    loader.load(
        red, [&](const LoadedPicture& picture) { got = picture; }, QSize(2, 2));
    EXPECT_FALSE(got.has_value());
    ASSERT_TRUE(waitUntil([&] { return got.has_value(); }));
}
