#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/edit_events.h"

namespace {

// Writes what it is told into a shared log, with its name.
struct LoggingFollower {
  LoggingFollower(const std::string& name, std::vector<std::string>& log) {
    follower.changed = [name, &log](const TRect& r) {
      log.push_back(name + " changed " + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
                    std::to_string(r.Right) + "," + std::to_string(r.Bottom));
    };
    follower.replaced = [name, &log] { log.push_back(name + " replaced"); };
    follower.clean = [name, &log] { log.push_back(name + " clean"); };
  }
  TEditFollower follower;
};

TEST(EditEventsTest, EveryListenerButTheSourceHearsEachEventInTheOrderItSubscribed) {
  std::vector<std::string> log;
  LoggingFollower canvas("canvas", log), history("history", log), recovery("recovery", log);
  TEditEvents events;
  events.Subscribe(canvas.follower);
  events.Subscribe(history.follower);
  events.Subscribe(recovery.follower);
  events.Subscribe(history.follower);  // once is enough

  events.Changed(TRect{1, 2, 3, 4});
  events.Changed(TRect{5, 6, 7, 8}, &history.follower);  // the history's own undo
  events.Replaced(&history.follower);
  events.Replaced();
  events.Clean();

  EXPECT_EQ(log, (std::vector<std::string>{
                     "canvas changed 1,2,3,4", "history changed 1,2,3,4", "recovery changed 1,2,3,4",
                     "canvas changed 5,6,7,8", "recovery changed 5,6,7,8",
                     "canvas replaced", "recovery replaced",
                     "canvas replaced", "history replaced", "recovery replaced",
                     "canvas clean", "history clean", "recovery clean"}));
}

TEST(EditEventsTest, ListenersComeAndGoEvenWhileTheyAreTold) {
  std::vector<std::string> log;
  LoggingFollower canvas("canvas", log), recovery("recovery", log);
  TEditEvents events;
  TEditFollower leaving;  // the program's end: the recovery goes at a clean picture
  leaving.clean = [&] {
    events.Unsubscribe(leaving);
    events.Unsubscribe(recovery.follower);
  };
  events.Subscribe(canvas.follower);
  events.Subscribe(leaving);
  events.Subscribe(recovery.follower);

  events.Clean();
  events.Changed(TRect{0, 0, 1, 1});
  events.Unsubscribe(canvas.follower);
  events.Unsubscribe(canvas.follower);  // not there any more: nothing happens
  events.Replaced();

  EXPECT_EQ(log, (std::vector<std::string>{"canvas clean", "canvas changed 0,0,1,1"}));
}

TEST(EditEventsTest, AFollowerWithoutAFunctionForAnEventIgnoresIt) {
  int changes = 0;
  TEditFollower follower;
  follower.changed = [&](const TRect&) { ++changes; };
  TEditEvents events;
  events.Subscribe(follower);
  events.Replaced();
  events.Clean();
  events.Changed(TRect{0, 0, 2, 2});
  EXPECT_EQ(changes, 1);
}

}  // namespace
