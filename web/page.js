// The page around the program: its Setup form, loading bar and error boxes,
// the canvas, the download of snowgig.dat and the AudioContext. The program
// (snowgig.js, made by Emscripten) calls the functions of `snowgigPage`; the
// page starts one instance of it per run and a fresh one when a run ends.
// While the show runs the page keeps the screen on, brings the sound back
// after an interruption, offers a control that ends the show to a tap or a
// mouse move, and hints at turning a phone held upright.
"use strict";

const snowgigPage = (() => {
  const element = (id) => document.getElementById(id);
  const stage = element("stage");
  const form = element("setup");
  const fullScreenButton = element("fullscreen");
  const windowedButton = element("windowed");
  const resolutionList = element("resolution");
  const progressBar = element("progress");
  const okButton = element("ok");
  const cancelButton = element("cancel");
  const closeButton = element("close");
  const show = element("show");
  let canvas = element("canvas");
  const message = element("message");
  const endShowButton = element("end-show");
  const turnHint = element("turn");

  let answerChoice = null;  // settles the program's wait for OK or Cancel
  let accepted = false;
  let audio = null;
  let pack = null;          // the download of snowgig.dat: its bytes, or null
  let packProgress = 0;     // share of it downloaded
  let waitingForPack = false;
  let shownSize = null;     // [width, height, fullScreen] while the canvas shows
  let wasm = null;          // the compiled program, shared by every run
  let program = null;       // the running instance (Emscripten's Module)
  let fillsViewport = false; // full screen chosen where the browser has no Fullscreen API
  let endAsked = false;      // the show's end control was used, not yet seen by the program
  let endShowTimer = 0;
  let turnTimer = 0;
  let upright = false;       // the viewport was taller than wide at the last fit
  let wakeLock = null;       // the screen wake lock held for the show
  let soundPaused = true;    // the program's own pause of the music

  // What the tests and the curious can read: the loading bar's positions
  // since OK, and when OK was pressed and the first frame shown.
  const record = {progress: [], ok: 0, firstFrame: 0, frames: 0, runs: 0};

  function controls(enabled) {
    for (const control of [fullScreenButton, windowedButton, resolutionList, okButton,
                           cancelButton, closeButton])
      control.disabled = !enabled;
  }

  function resetForm() {
    controls(false);
    resolutionList.replaceChildren();
    progressBar.value = 0;
    accepted = false;
    form.hidden = false;
  }

  function answer(choice) {
    if (answerChoice) {
      const settle = answerChoice;
      answerChoice = null;
      settle(choice);
    }
  }

  // The OK click is the gesture the browser wants before a page makes sound
  // or goes full screen: both are asked for here, the show comes later.
  function pressOk() {
    if (okButton.disabled || !answerChoice)
      return;
    const index = resolutionList.selectedIndex;
    if (index >= 0) {
      record.ok = performance.now();
      record.progress = [];
      record.firstFrame = 0;
      record.frames = 0;
      try {
        // With the browser's shortest output buffer (some 23 ms) a busy
        // machine starves the browser's own audio thread, whatever the page
        // has queued; 80 ms of it keep the music whole, and it is heard some
        // 0.2 s after it is unpaused.
        if (!audio) {
          audio = new AudioContext({sampleRate: 44100, latencyHint: 0.08});
          audio.addEventListener("statechange", resumeSound);
        }
        audio.resume();
      } catch (error) {
        audio = null;
      }
      // A browser without the Fullscreen API for elements (an iPhone's
      // Safari) gets the show over its whole viewport instead; one that has
      // it and refuses gets the desktop's box and the show in the page.
      fillsViewport = fullScreenButton.checked && !stage.requestFullscreen;
      if (fullScreenButton.checked && stage.requestFullscreen)
        stage.requestFullscreen().catch(() => {});
    }
    answer(index);
  }

  form.addEventListener("submit", (event) => {
    event.preventDefault();
    pressOk();
  });
  // The close box cancels, as Cancel does; the keys Alt+F, Alt+W and Alt+R
  // (the page's access keys) reach the controls as the dialog's mnemonics do.
  cancelButton.addEventListener("click", () => answer(-2));
  closeButton.addEventListener("click", () => answer(-2));
  form.addEventListener("keydown", (event) => {
    if (event.key == "Escape" && !cancelButton.disabled) {
      event.preventDefault();
      answer(-2);
    }
  });

  function startDownload() {
    const download = async () => {
      try {
        const response = await fetch("snowgig.dat");
        if (!response.ok || !response.body)
          return null;
        const total = Number(response.headers.get("Content-Length")) || 0;
        const reader = response.body.getReader();
        const parts = [];
        let received = 0;
        for (;;) {
          const {done, value} = await reader.read();
          if (done)
            break;
          parts.push(value);
          received += value.length;
          packProgress = total ? Math.min(1, received / total) : 0;
          if (waitingForPack)
            progressBar.value = packProgress;
        }
        const bytes = new Uint8Array(received);
        let at = 0;
        for (const part of parts) {
          bytes.set(part, at);
          at += part.length;
        }
        return bytes;
      } catch (error) {
        return null;
      }
    };
    pack = download();
    // The page works offline after one visit: sw.js keeps its files. It is
    // started once the pack is here, so that it finds the pack in the
    // browser's cache rather than downloading it a second time beside the
    // page. Browsers offer service workers only to secure pages (https, or
    // this machine).
    pack.then(() => {
      if (navigator.serviceWorker)
        navigator.serviceWorker.register("sw.js").catch(() => {});
    });
  }

  function fitCanvas() {
    if (!shownSize)
      return;
    const [width, height, fullScreen] = shownSize;
    const ratio = window.devicePixelRatio || 1;
    let scale = 1 / ratio;
    // Full screen keeps the mode's shape, with black bars where the screen's
    // shape differs.
    if (fullScreen)
      scale = Math.min(show.clientWidth / width, show.clientHeight / height);
    canvas.style.width = width * scale + "px";
    canvas.style.height = height * scale + "px";
    // The end control sits in the screen's corner in full screen, over the
    // black bars where there are any, and in the picture's corner in the page.
    const picture = canvas.getBoundingClientRect(), around = show.getBoundingClientRect();
    endShowButton.style.top = fullScreen ? "" : picture.top - around.top + 8 + "px";
    endShowButton.style.right = fullScreen ? "" : around.right - picture.right + 8 + "px";
    // A phone held upright shows a wide picture as a strip: a few seconds of
    // hint each time it is turned so, while the show goes on.
    const nowUpright = show.clientHeight > show.clientWidth && width > height &&
                       matchMedia("(pointer: coarse)").matches;
    if (nowUpright && !upright) {
      turnHint.hidden = false;
      clearTimeout(turnTimer);
      turnTimer = setTimeout(() => { turnHint.hidden = true; }, 4000);
    } else if (!nowUpright) {
      turnHint.hidden = true;
    }
    upright = nowUpright;
  }
  window.addEventListener("resize", fitCanvas);

  // A tap, a click or a mouse move on the show brings up its end control for
  // a few seconds, as a video player's controls come up. The tap that brings
  // it up does not press it: a phone sends a tap's click after the tap, to
  // what is under the finger by then, so the control takes only clicks whose
  // press began on it (or a key's, which has no press).
  let pressOnControl = false;
  function offerEndShow(event) {
    if (event.type == "pointerdown")
      pressOnControl = !endShowButton.hidden && event.target == endShowButton;
    if (!shownSize || (event.type == "pointermove" && !event.movementX && !event.movementY))
      return;
    // In the page, only what happens over the picture is the show's.
    if (!shownSize[2] && event.target != canvas && event.target != endShowButton)
      return;
    endShowButton.hidden = false;
    clearTimeout(endShowTimer);
    endShowTimer = setTimeout(() => { endShowButton.hidden = true; }, 3000);
    // A tap is also the gesture a phone may want before sound plays again.
    if (event.type == "pointerdown")
      resumeSound();
  }
  show.addEventListener("pointerdown", offerEndShow);
  show.addEventListener("pointermove", offerEndShow);
  endShowButton.addEventListener("click", (event) => {
    if (shownSize && (pressOnControl || event.detail == 0))
      endAsked = true;
    pressOnControl = false;
  });

  // The screen stays on while the show runs: the browser lets go of the lock
  // whenever the page is hidden, so it is asked for again when the page shows.
  async function holdScreen() {
    const shown = shownSize;
    if (!shown || wakeLock || !navigator.wakeLock || document.visibilityState != "visible")
      return;
    try {
      const lock = await navigator.wakeLock.request("screen");
      if (shownSize === shown && !wakeLock) {
        wakeLock = lock;
        lock.addEventListener("release", () => {
          if (wakeLock === lock)
            wakeLock = null;
        });
      } else {
        lock.release();
      }
    } catch (error) {
      // Refused (a hidden page, a battery saver): the show goes on regardless.
    }
  }

  function letScreenGo() {
    const lock = wakeLock;
    wakeLock = null;
    if (lock)
      lock.release().catch(() => {});
  }

  // The music stops when the context stops: a phone's call or screen lock
  // suspends or interrupts it without the page asking. While the show plays
  // it is started again whenever it stops, the page shows again or the show
  // is tapped; the program's own pause (the silent start) is left alone.
  function resumeSound() {
    if (audio && shownSize && !soundPaused && audio.state != "running" && audio.state != "closed")
      audio.resume().catch(() => {});
  }

  // On the window, where the document's event arrives too, so that what is
  // on the document stays the runs' own.
  window.addEventListener("visibilitychange", () => {
    if (document.visibilityState == "visible") {
      holdScreen();
      resumeSound();
    }
  });

  function messageBox(caption, text) {
    element("message-title").textContent = caption;
    element("message-text").textContent = text;
    message.hidden = false;
    const ok = element("message-ok");
    ok.focus();
    return new Promise((resolve) => {
      const close = () => {
        ok.removeEventListener("click", close);
        message.hidden = true;
        resolve();
      };
      ok.addEventListener("click", close);
    });
  }

  // A finished run's WebGL context (Emscripten's Module.ctx) is lost on
  // purpose, so that its drawing buffer and textures go now rather than
  // whenever the garbage collector gets to its canvas.
  function loseContext(finished) {
    const lose = finished && finished.ctx && finished.ctx.getExtension("WEBGL_lose_context");
    if (lose)
      lose.loseContext();
  }

  async function startProgram() {
    resetForm();
    record.runs++;
    // Each run draws on a canvas of its own: a canvas keeps its WebGL context
    // and the listeners a run put on it, which belong to that run alone.
    if (record.runs > 1) {
      const fresh = document.createElement("canvas");
      fresh.id = canvas.id;
      fresh.tabIndex = canvas.tabIndex;
      canvas.replaceWith(fresh);
      canvas = fresh;
    }
    try {
      program = {
        canvas: canvas,
        // The program reads keys through listeners of its own (common/web);
        // SDL's would also keep keys from the Setup form of later runs.
        doNotCaptureKeyboard: true,
        instantiateWasm: (imports, done) => {
          // Hosts that serve .wasm under another type than application/wasm
          // get it compiled from its bytes.
          if (!wasm)
            wasm = WebAssembly.compileStreaming(fetch("snowgig.wasm")).catch(() =>
                fetch("snowgig.wasm").then((response) => response.arrayBuffer())
                                     .then((bytes) => WebAssembly.compile(bytes)));
          wasm.then((compiled) => WebAssembly.instantiate(compiled, imports)
                                      .then((instance) => done(instance, compiled)))
              .catch((error) => messageBox("Error", "The program could not start: " + error));
          return {};
        },
        onExit: () => {
          loseContext(program);
          setTimeout(startProgram, 0);
        },
        print: (text) => console.log(text),
        printErr: (text) => console.error(text),
      };
      await createSnowgig(program);
    } catch (error) {
      loseContext(program);
      await messageBox("Error", "The program stopped: " + error);
    }
  }

  // The program ends by exit() wherever it is, which reaches the page as an
  // exception nobody catches: that is the end of a run, not an error.
  const endOfRun = (event) => {
    const thrown = event.error || event.reason;
    if (thrown && thrown.name == "ExitStatus")
      event.preventDefault();
  };
  window.addEventListener("error", endOfRun);
  window.addEventListener("unhandledrejection", endOfRun);

  window.addEventListener("DOMContentLoaded", () => {
    const probe = document.createElement("canvas");
    if (!window.WebAssembly || !(probe.getContext("webgl") || probe.getContext("experimental-webgl"))) {
      form.hidden = true;
      element("nowebgl").hidden = false;
      return;
    }
    startDownload();
    startProgram();
  });

  return {
    record: record,
    // The running program's sound figures: underruns of its queue, time spent
    // feeding it.
    sound() {
      const audio = program && program.webAudio;
      return audio ? {underruns: audio.underruns, feedMilliseconds: audio.feedMilliseconds,
                      queued: audio.next - audio.context.currentTime,
                      outputLatency: audio.context.outputLatency || 0,
                      baseLatency: audio.context.baseLatency || 0} : null;
    },

    showSetup(entries, selected, fullScreen) {
      resolutionList.replaceChildren(...entries.map((text) => new Option(text)));
      resolutionList.selectedIndex = selected;
      (fullScreen ? fullScreenButton : windowedButton).checked = true;
      (fullScreen ? windowedButton : fullScreenButton).checked = false;
      controls(true);
      okButton.focus();
    },
    setupChoice() {
      return new Promise((resolve) => { answerChoice = resolve; });
    },
    setupFullScreen() {
      return fullScreenButton.checked;
    },
    lockSetup() {
      accepted = true;
      controls(false);
    },
    closeSetup() {
      form.hidden = true;
    },
    setProgress(fraction) {
      progressBar.value = fraction;
      if (accepted)
        record.progress.push(fraction);
      // A moment for the page to show the bar.
      return new Promise((resolve) => setTimeout(resolve, 0));
    },
    async pack() {
      waitingForPack = true;
      progressBar.value = packProgress;
      const bytes = await pack;
      waitingForPack = false;
      return bytes;
    },
    showMessage(caption, text) {
      return messageBox(caption, text);
    },
    audioContext() {
      return audio;
    },
    // The program pauses the music (paused true) and unpauses it.
    pauseSound(paused) {
      soundPaused = paused;
      if (audio)
        (paused ? audio.suspend() : audio.resume()).catch(() => {});
    },
    isFullScreen() {
      return !!document.fullscreenElement || fillsViewport;
    },
    showCanvas(width, height, fullScreen) {
      shownSize = [width, height, fullScreen];
      stage.classList.toggle("filled", fullScreen && fillsViewport);
      document.body.classList.toggle("filled", fullScreen && fillsViewport);
      upright = false;
      endAsked = false;
      show.hidden = false;
      fitCanvas();
      canvas.focus();
      holdScreen();
    },
    hideCanvas() {
      shownSize = null;
      soundPaused = true;
      fillsViewport = false;
      show.hidden = true;
      stage.classList.remove("filled");
      document.body.classList.remove("filled");
      endShowButton.hidden = true;
      turnHint.hidden = true;
      clearTimeout(endShowTimer);
      clearTimeout(turnTimer);
      letScreenGo();
      if (document.fullscreenElement)
        document.exitFullscreen().catch(() => {});
    },
    // After each frame: whether the show's end control was used since the
    // last one.
    frameShown() {
      if (!record.firstFrame && shownSize)
        record.firstFrame = performance.now();
      record.frames++;
      const ended = endAsked;
      endAsked = false;
      return ended;
    },
  };
})();
