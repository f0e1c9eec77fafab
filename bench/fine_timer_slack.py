#!/usr/bin/python3
"""Runs a program with a timer slack of 1 ns, which its threads inherit, as
bench/poll_bench.cpp gives its in-process bus: the paced simulator's sleeps
between characters then keep the wire's time at 115200 baud too.
    fine_timer_slack.py PROGRAM [ARGS...]"""
import ctypes
import os
import sys

PR_SET_TIMERSLACK = 29
ctypes.CDLL(None).prctl(PR_SET_TIMERSLACK, 1, 0, 0, 0)
os.execv(sys.argv[1], sys.argv[1:])
