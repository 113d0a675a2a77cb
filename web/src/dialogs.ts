// SPDX-License-Identifier: GPL-3.0-or-later
// Modal questions and lists in <dialog> elements: focus is trapped by the browser, Escape
// answers with the last (cancelling) choice.
import { el } from './dom';

// Asks `text` with one button per answer; resolves with the index chosen.
export function choose(text: string, answers: string[], extra?: HTMLElement): Promise<number> {
  return new Promise((resolve) => {
    const dialog = el('dialog', { class: 'question', 'aria-label': text.split('\n')[0] });
    const buttons = el('div', { class: 'buttons' });
    let answer = answers.length - 1;
    answers.forEach((caption, i) => {
      const button = el('button', { type: 'button', text: caption });
      button.addEventListener('click', () => {
        answer = i;
        dialog.close();
      });
      buttons.append(button);
    });
    dialog.append(el('p', { class: 'question-text', text }));
    if (extra) dialog.append(extra);
    dialog.append(buttons);
    dialog.addEventListener('close', () => {
      dialog.remove();
      resolve(answer);
    });
    document.body.append(dialog);
    dialog.showModal();
    (buttons.firstElementChild as HTMLElement | null)?.focus();
  });
}

// Shows a heading, a message and a list of lines, with one closing button.
export function showList(title: string, message: string, lines: string[], close: string): Promise<void> {
  const list = el('ul', { class: 'lines', 'aria-label': title });
  for (const line of lines) list.append(el('li', { text: line }));
  const body = el('div', {}, el('h2', { text: title }));
  if (lines.length > 0) body.append(list);
  return choose(message || title, [close], body).then(() => undefined);
}
