// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// What ends a run's process group when the front end dies, however it dies.
//
// The parent-death signal reaches only MAME itself, which may ignore it, and
// never what MAME started. So the run's child, once it leads its group and
// before it becomes MAME, forks a guard into the group: a process that only
// waits on a pipe whose writing end the front end alone holds. The system
// closes that end when the front end ends, SIGKILL included, and the front
// end closes it when the run is over. The guard then asks its group to end
// (SIGTERM, so that MAME may save its state), and after a grace forces what
// is left of it, itself included (SIGKILL). It signals only its own group,
// which is the run's by construction and which cannot be another's while the
// guard is in it; the front end ends the guard with the rest of the group's
// remains once MAME has ended.
class GroupGuard {
  public:
    // Makes the pipe; without one (no descriptors left) there is no guard.
    GroupGuard();
    // Lets the guard go: a guard still waiting ends what is left of the group.
    ~GroupGuard() { release(); }
    GroupGuard(const GroupGuard&) = delete;
    GroupGuard& operator=(const GroupGuard&) = delete;

    // The reading end, for the child to hand to forkGroupGuard (-1: none).
    int childEnd() const { return m_childEnd; }
    // Once the child has started: the front end has no use for the reading end.
    void childStarted();
    // The run is over.
    void release();

  private:
    int m_childEnd = -1;
    int m_frontEndEnd = -1;
};

// How long the guard gives the group between the request to end and the force.
inline constexpr int kGroupGuardGraceMilliseconds = 1000;

// In the run's child, after it has made its group and before it becomes MAME:
// forks the guard, which keeps only `childEnd` open, and closes `childEnd`
// here. Async-signal-safe, as a child of a threaded program must be.
void forkGroupGuard(int childEnd);
