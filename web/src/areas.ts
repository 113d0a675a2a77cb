// SPDX-License-Identifier: GPL-3.0-or-later
// The editor areas (option features, keys, scan, messages) as forms built from the core's field
// table: every field a labelled control, every change straight into the document.
import type { Area, AreaField, WebDocument } from './core_api';
import { el } from './dom';

export interface AreaEvents {
  changed(): void;
  refused(message: string): void;
}

let serial = 0;

function control(area: Area, field: AreaField): HTMLInputElement | HTMLSelectElement {
  const id = `f-${area.key}-${field.key}-${serial++}`;
  if (field.kind === 'switch' || field.kind === 'choice') {
    const select = el('select', { id, disabled: !field.enabled, 'data-field': field.key });
    for (const choice of field.choices) select.append(el('option', { value: choice, text: choice }));
    select.value = field.value;
    return select;
  }
  const input = el('input', {
    id, type: 'text', value: field.value, disabled: !field.enabled, 'data-field': field.key,
    inputmode: field.kind === 'number' ? 'numeric' : undefined, autocomplete: 'off',
  });
  return input;
}

// Builds the form of one area; a refusal puts the field back to what the document holds.
export function renderArea(
  container: HTMLElement, doc: WebDocument, areaKey: Area['key'], events: AreaEvents,
): void {
  const area = doc.areas().find((a) => a.key === areaKey);
  if (!area) {
    container.replaceChildren();
    return;
  }
  const form = el('form', { class: 'area', 'aria-label': area.caption });
  form.addEventListener('submit', (e) => e.preventDefault());
  const list = el('div', { class: 'fields' });
  for (const field of area.fields) {
    const input = control(area, field);
    input.addEventListener('change', () => {
      const outcome = doc.setField(area.key, field.key, input.value);
      if (!outcome.ok) events.refused(outcome.message);
      events.changed();
      // Other fields may follow this one (enabled, derived values): show them all afresh.
      const focusedKey = field.key;
      renderArea(container, doc, areaKey, events);
      (container.querySelector(`[data-field="${CSS.escape(focusedKey)}"]`) as HTMLElement | null)
        ?.focus();
    });
    list.append(el('div', { class: 'field' }, el('label', { for: input.id, text: field.label }), input));
  }
  form.append(el('h2', { text: area.caption }), list);
  container.replaceChildren(form);
}
