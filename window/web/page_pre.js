// Runs before the module's own code. The page (index.html) has already
// begun compiling the module and fetching the record; the module is
// instantiated from that compilation, and the page starts (page.js) once
// both are there.
Module['instantiateWasm'] = (imports, receive) => {
  velmoraEarly.module.then((module) => {
    performance.mark('velmora-compiled');
    return WebAssembly.instantiate(module, imports);
  }).then((instance) => receive(instance));
  return {};
};
// velmora.js runs as soon as it is there, which may be before the page
// has its window: the page starts once both are.
Module['onRuntimeInitialized'] = () => velmoraEarly.record.then((record) => {
  if (document.readyState !== 'loading') return velmoraStart(record);
  document.addEventListener('DOMContentLoaded', () => velmoraStart(record));
});
