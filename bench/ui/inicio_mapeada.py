#!/usr/bin/env python3
"""Start-up as the user sees it: from the moment a program is started until the X server maps its
first top-level window, for the program and for a bare Qt window of the same size, started
alternately under one private Xvfb.

  inicio_mapeada.py [--rodadas N] [--display :NN] BARE PROGRAM [PROGRAM_ARGS...]

`xev -root -event substructure` watches the root window; the clock starts just before a program is
spawned and stops at the first MapNotify that follows; the program is then ended. One unrecorded
start of each comes first; each round then starts both, the order swapped every round. Printed:
each program's median in ms and the median of the per-round ratios program/bare (the two of a
round share the machine's load of that moment). The program runs in a fresh empty folder given as
HOME and as its working folder, so it reads and writes its parameter file there.
"""
import argparse
import os
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time


def iniciar_xvfb(display):
    x = subprocess.Popen(['Xvfb', display, '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    soquete = '/tmp/.X11-unix/X' + display[1:]
    for _ in range(200):
        if os.path.exists(soquete):
            break
        time.sleep(0.05)
    time.sleep(0.2)
    return x


def ate_mapear(cmd, display, pasta, limite=10.0):
    env = dict(os.environ, DISPLAY=display, HOME=pasta)
    env.pop('WAYLAND_DISPLAY', None)
    env.pop('QT_QPA_PLATFORM', None)
    xev = subprocess.Popen(['xev', '-root', '-event', 'substructure'], env=env,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, bufsize=0)
    time.sleep(0.3)
    os.set_blocking(xev.stdout.fileno(), False)
    try:
        xev.stdout.read()
    except (BlockingIOError, TypeError):
        pass
    t0 = time.monotonic()
    p = subprocess.Popen(cmd, env=env, cwd=pasta, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                         start_new_session=True)
    lido, mapeada = b'', None
    while time.monotonic() - t0 < limite:
        pronto, _, _ = select.select([xev.stdout], [], [], 0.05)
        if pronto:
            lido += xev.stdout.read() or b''
            if b'MapNotify' in lido:
                mapeada = time.monotonic()
                break
        if p.poll() is not None:
            break
    try:
        os.killpg(p.pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    try:
        p.wait(timeout=5)
    except subprocess.TimeoutExpired:
        os.killpg(p.pid, signal.SIGKILL)
        p.wait()
    xev.terminate()
    xev.wait()
    return None if mapeada is None else (mapeada - t0) * 1000.0


def main():
    a = argparse.ArgumentParser()
    a.add_argument('--rodadas', type=int, default=15)
    a.add_argument('--display', default=':77')
    a.add_argument('nua')
    a.add_argument('programa', nargs=argparse.REMAINDER)
    args = a.parse_args()
    if not shutil.which('Xvfb') or not shutil.which('xev'):
        print('inicio_mapeada: needs Xvfb and xev (xvfb, x11-utils)', file=sys.stderr)
        return 1
    x = iniciar_xvfb(args.display)
    pasta = tempfile.mkdtemp(prefix='vestamar-inicio-')
    try:
        cmds = {'nua': [os.path.abspath(args.nua)],
                'vestamar': [os.path.abspath(args.programa[0])] + args.programa[1:]}
        for c in cmds.values():
            ate_mapear(c, args.display, pasta)
        tempos = {k: [] for k in cmds}
        razoes = []
        for r in range(args.rodadas):
            ordem = ['nua', 'vestamar'] if r % 2 == 0 else ['vestamar', 'nua']
            rodada = {k: ate_mapear(cmds[k], args.display, pasta) for k in ordem}
            if None in rodada.values():
                print('inicio_mapeada: a window was not mapped within the limit', file=sys.stderr)
                return 1
            for k, v in rodada.items():
                tempos[k].append(v)
            razoes.append(rodada['vestamar'] / rodada['nua'])
        for k, v in tempos.items():
            print(f'{k:10} median {statistics.median(v):6.1f} ms (min {min(v):.1f}, max {max(v):.1f})')
        print(f'start-up until mapped, program : bare window = {statistics.median(razoes):.3f} '
              f'(median of {len(razoes)} rounds; target at most 1.20)')
        return 0
    finally:
        x.terminate()
        x.wait()
        shutil.rmtree(pasta, ignore_errors=True)


if __name__ == '__main__':
    sys.exit(main())
