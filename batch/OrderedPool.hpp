#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace korvane {

// Does a piece of work on each item on worker threads, and hands the items back in the order
// they were given, each once its work is done. The caller bounds how many are in flight, and
// while it waits for the oldest it does the work of items no worker has taken yet, as one more
// worker: it would otherwise sit idle on a core that a worker could have had.
template <class Item> class OrderedPool {
  public:
    // work runs as the worker numbered 0 .. workers - 1, each on a thread of its own, and as the
    // worker numbered `workers` on the caller's thread; each may keep state of its own.
    OrderedPool(int workers, std::function<void(Item&, int worker)> work)
        : work_(std::move(work)), callersNumber_(workers) {
        for (int worker = 0; worker < workers; ++worker) {
            threads_.emplace_back([this, worker] { Work(worker); });
        }
    }

    // The workers finish the item in hand and stop; items not taken back are dropped.
    ~OrderedPool() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        workToDo_.notify_all();
        for (std::thread& thread : threads_) {
            thread.join();
        }
    }

    OrderedPool(const OrderedPool&) = delete;
    OrderedPool& operator=(const OrderedPool&) = delete;

    void Submit(std::unique_ptr<Item> item) {
        {
            const std::lock_guard lock(mutex_);
            order_.push_back({std::move(item), false});
            pending_.push_back(&order_.back());
        }
        workToDo_.notify_one();
    }

    // Items given and not yet taken back.
    std::size_t InFlight() {
        const std::lock_guard lock(mutex_);
        return order_.size();
    }

    // The oldest item, once its work is done; nothing when none is in flight. Until then the
    // caller works on the items no worker has taken, oldest first.
    std::unique_ptr<Item> TakeOldest() {
        std::unique_lock lock(mutex_);
        const auto oldestDone = [this] { return order_.empty() || order_.front().done; };
        while (!oldestDone() && !pending_.empty()) {
            WorkOnFirstPending(lock, callersNumber_);
        }
        workDone_.wait(lock, oldestDone);
        return PopOldest();
    }

    // The oldest item if its work is done, else nothing.
    std::unique_ptr<Item> TakeOldestIfDone() {
        const std::lock_guard lock(mutex_);
        return !order_.empty() && order_.front().done ? PopOldest() : nullptr;
    }

  private:
    struct Slot {
        std::unique_ptr<Item> item;
        bool done;
    };

    std::unique_ptr<Item> PopOldest() {
        if (order_.empty()) {
            return nullptr;
        }
        std::unique_ptr<Item> item = std::move(order_.front().item);
        order_.pop_front();
        return item;
    }

    void Work(int worker) {
        std::unique_lock lock(mutex_);
        for (;;) {
            workToDo_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
            if (stopping_) {
                return;
            }
            WorkOnFirstPending(lock, worker);
        }
    }

    // With the lock held and an item pending: that item's work, done without the lock.
    void WorkOnFirstPending(std::unique_lock<std::mutex>& lock, int worker) {
        Slot* const slot = pending_.front();
        pending_.pop_front();
        lock.unlock();
        work_(*slot->item, worker);
        lock.lock();
        slot->done = true;
        workDone_.notify_all();
    }

    std::function<void(Item&, int)> work_;
    int callersNumber_;
    std::mutex mutex_;
    std::condition_variable workToDo_;
    std::condition_variable workDone_;
    std::deque<Slot> order_;    // every item in flight, oldest first (a deque keeps the slots
                                // where they are as it grows and shrinks at its ends)
    std::deque<Slot*> pending_; // those no worker has taken yet
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace korvane
