#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>
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
    // worker numbered `workers` on the caller's thread; each may keep state of its own. Where the
    // system starts fewer threads than asked for (a process limit, a small address space), the
    // pool works with those it has, and with none the caller does all the work.
    OrderedPool(int workers, std::function<void(Item&, int worker)> work)
        : work_(std::move(work)), callersNumber_(workers) {
        for (int worker = 0; worker < workers; ++worker) {
            try {
                threads_.emplace_back([this, worker] { Work(worker); });
            } catch (const std::system_error& failure) {
                startFailure_ = failure.code();
                break;
            }
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

    // The worker threads that could be started, and why the others could not.
    int StartedWorkers() const { return static_cast<int>(threads_.size()); }
    std::error_code StartFailure() const { return startFailure_; }

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
    // caller works on the items no worker has taken, oldest first. Work that threw (out of
    // memory) throws here, on the caller's thread, in its item's turn.
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
        std::exception_ptr failure = nullptr;
    };

    std::unique_ptr<Item> PopOldest() {
        if (order_.empty()) {
            return nullptr;
        }
        std::unique_ptr<Item> item = std::move(order_.front().item);
        const std::exception_ptr failure = order_.front().failure;
        order_.pop_front();
        if (failure) {
            std::rethrow_exception(failure);
        }
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
        try {
            work_(*slot->item, worker);
        } catch (...) {
            slot->failure = std::current_exception(); // a worker's own thread cannot report it
        }
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
    std::error_code startFailure_;
    std::vector<std::thread> threads_;
};

} // namespace korvane
