/*
 * small_stack.h --
 *
 *	Runs test work on a thread whose stack is only 256 KiB, so that a
 *	walk that recursed along a sibling chain or down a deep tree would
 *	overflow it.
 */

#ifndef TOVPART_TESTS_SUPPORT_SMALL_STACK_H
#define TOVPART_TESTS_SUPPORT_SMALL_STACK_H

#include <functional>
#include <gtest/gtest.h>
#include <pthread.h>
#include <tcl.h>

inline void onSmallStack(const std::function<void()> &work) {
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, 256 * 1024);
  pthread_t thread;
  auto body = [](void *arg) -> void * {
    (*static_cast<const std::function<void()> *>(arg))();
    Tcl_FinalizeThread(); /* releases Tcl's per-thread caches */
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attributes, body,
                           const_cast<std::function<void()> *>(&work)),
            0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
}

#endif /* TOVPART_TESTS_SUPPORT_SMALL_STACK_H */
