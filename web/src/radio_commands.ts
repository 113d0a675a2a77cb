// SPDX-License-Identifier: GPL-3.0-or-later
// The Radio commands: the port and its settings (kept between visits), Read from Radio and
// Write to Radio with their questions, the progress under the desktop's captions, and what the
// core says when a transfer has ended.
import type { PortChoice, TransferJob, VirtualRadio, WebDocument } from './core_api';
import { choose } from './dialogs';
import { byId } from './dom';
import type { FileCommands } from './file_commands';
import { type HostEvents, SerialLineHost, VirtualLineHost } from './line_hosts';
import type { Shell } from './shell';
import { store } from './store';
import { t, type TextKey } from './texts';
import { type SerialPortLike, webSerial } from './web_serial';

type PortKind = 'virtual' | 'serial';
type Host = SerialLineHost | VirtualLineHost;

// The session waits for the answer where it stands; only the browser's own dialogs do that.
function askNow(text: string, answers: string[]): number {
  if (answers.length <= 1) {
    window.alert(text);
    return 0;
  }
  if (answers.length === 2) return window.confirm(text) ? 0 : 1;
  const listing = answers.map((a, i) => `${i + 1}: ${a}`).join('\n');
  const typed = window.prompt(`${text}\n\n${listing}`, '1');
  const chosen = typed === null ? answers.length : Number.parseInt(typed, 10);
  return Number.isInteger(chosen) && chosen >= 1 && chosen <= answers.length
    ? chosen - 1 : answers.length - 1;
}

export class RadioCommands {
  job: TransferJob | null = null;
  readonly serial = webSerial();
  // The last transfer over the virtual radio: its wire time and how long it took.
  lastTransfer: { wireMs: number; elapsedMs: number } | null = null;
  private virtualRadio: VirtualRadio | null = null;
  private virtualBand = -1;
  private serialPort: SerialPortLike | null = null;
  private currentHost: Host | null = null;

  constructor(private readonly shell: Shell, private readonly files: FileCommands) {}

  wire(): void {
    const click = (id: string, action: () => unknown) =>
      byId(id).addEventListener('click', () => void action());
    click('cmd-read', () => this.read());
    click('cmd-write', () => this.write());
    click('cmd-choose-port', () => this.choosePort());
    click('cmd-cancel', () => this.job?.cancel());
    // The port and its settings go together, as the desktop's port settings keep them.
    for (const [id, key, fallback] of [
      ['port-kind', 'port', 'virtual'], ['stop-bits', 'stopBits', '1'], ['flow', 'flow', 'none'],
    ] as const) {
      const select = byId<HTMLSelectElement>(id);
      select.value = store.get(key, fallback);
      if (select.selectedIndex < 0) select.value = fallback;
      select.addEventListener('change', () => {
        store.set(key, select.value);
        this.shell.updateCommands();
      });
    }
    const verify = byId<HTMLInputElement>('verify');
    verify.checked = store.get('verify', '1') === '1';
    verify.addEventListener('change', () => store.set('verify', verify.checked ? '1' : '0'));
  }

  portKind(): PortKind {
    return byId<HTMLSelectElement>('port-kind').value === 'serial' ? 'serial' : 'virtual';
  }

  portChoice(): PortChoice {
    return {
      stopBits: byId<HTMLSelectElement>('stop-bits').value === '2' ? 2 : 1,
      rtsCts: byId<HTMLSelectElement>('flow').value === 'hardware',
    };
  }

  private async choosePort(): Promise<boolean> {
    if (!this.serial) return false;
    this.shell.say('information', 'portPermission');
    try {
      this.serialPort = await this.serial.requestPort();
      return true;
    } catch {
      return false; // the user closed the browser's port chooser
    }
  }

  private async host(events: HostEvents): Promise<Host | null> {
    const band = this.shell.doc.bandCode === 1 ? 1 : 0;
    if (this.portKind() === 'virtual') {
      if (!this.virtualRadio || this.virtualBand !== band) {
        this.virtualRadio?.delete();
        this.virtualBand = band;
        this.virtualRadio = this.shell.core.newVirtualRadio(band);
      }
      return new VirtualLineHost(events, this.virtualRadio);
    }
    if (!this.serial) {
      this.shell.say('warning', 'noSerial');
      return null;
    }
    if (!this.serialPort) {
      const ports = await this.serial.getPorts();
      this.serialPort = ports.length === 1 ? ports[0] : null;
    }
    if (!this.serialPort && !(await this.choosePort())) return null;
    return new SerialLineHost(events, this.serialPort!);
  }

  private events(caption: TextKey): HostEvents {
    const progress = byId<HTMLProgressElement>('progress');
    const label = byId('label-progress');
    const show = (key: TextKey) => {
      label.textContent = `${t(key)} ${t('CompletionPercentage')}`;
    };
    progress.value = 0;
    show(caption);
    return {
      ask: askNow,
      progress: (percent) => {
        progress.value = percent;
        progress.setAttribute('aria-valuetext', `${Math.round(percent)}%`);
      },
      // The verify reads the radio back under its own caption, as the desktop's progress does.
      readingBack: (on) => show(on ? 'VerifyCaption' : caption),
      // Called from inside the job: it is taken apart once the call has returned.
      finished: () => setTimeout(() => void this.afterJob(), 0),
    };
  }

  // Runs one transfer: the host feeds the job, the progress bar follows, and when it has finished
  // the page shows what the core says and takes over a read's document.
  private async run(caption: TextKey, start: (host: Host, port: PortChoice) => TransferJob): Promise<void> {
    const host = await this.host(this.events(caption));
    this.currentHost = host;
    if (!host) return;
    this.shell.commitEdits();
    this.job = start(host, this.portChoice());
    host.job = this.job;
    this.shell.updateCommands();
    byId('cmd-cancel').focus();
  }

  private async afterJob(): Promise<void> {
    const job = this.job;
    if (!job) return;
    if (this.currentHost instanceof VirtualLineHost) this.lastTransfer = this.currentHost.stats();
    this.shell.notify(job.notices());
    const read = job.takeDocument();
    job.delete();
    this.job = null;
    if (read) this.shell.replaceDocument(read);
    else this.shell.updateCommands();
    await this.shell.core.syncBackups().catch(() => undefined);
    document.body.dataset.lastJob = String(Date.now());
  }

  private async read(): Promise<void> {
    if (this.job || !(await this.files.mayReplace())) return;
    if ((await choose(t('ReadQuestion'), [t('ok'), t('cancel')])) !== 0) return;
    const band = this.shell.doc.bandCode === 1 ? 1 : 0;
    await this.run('ReadCaption', (host, port) => this.shell.core.readRadio(host, band, port));
  }

  // The preview lists what the write changes in the radio, when the page knows what it holds;
  // without a copy of what the radio holds, the plain question the desktop asks.
  async write(): Promise<void> {
    if (this.job) return;
    this.shell.commitEdits();
    const doc: WebDocument = this.shell.doc;
    const preview = this.shell.core.writePreview(doc);
    const answer = preview !== null
      ? await choose(preview, [t('previewWrite'), t('previewCancel')])
      : await choose(t('WriteQuestion'), [t('ok'), t('cancel')]);
    if (answer !== 0) return;
    const verify = byId<HTMLInputElement>('verify').checked;
    await this.run('WriteCaption', (host, port) => this.shell.core.writeRadio(host, doc, verify, port));
  }
}
